#include "editor/findrules.h"

namespace FindRules {

qint8 searchCode(bool forward, bool caseInsensitive)
{
    return qint8((forward ? 1 : 0) + (caseInsensitive ? 10 : 0));
}

SearchMode searchMode(qint8 code)
{
    switch (code) {
    case 0:
        return {true, true};
    case 1:
        return {false, true};
    case 10:
        return {true, false};
    default:
        return {false, false};
    }
}

QString selectionAsPlainText(const QString& selected)
{
    QString plain = selected;
    for (QChar& c : plain) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xfdd0: // start and end of a text frame
        case 0xfdd1:
            c = QLatin1Char('\n');
            break;
        case QChar::Nbsp:
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return plain;
}

QString selectionAsRawText(const QString& selected)
{
    QString raw = selected;
    for (QChar& c : raw) {
        if (c == QChar::ParagraphSeparator || c.unicode() == 0xfdd0 || c.unicode() == 0xfdd1)
            c = QLatin1Char('\n');
    }
    return raw;
}

QString replaceAll(const QString& text, const QString& selected, const QString& replacement,
                   bool caseInsensitive)
{
    const QString needle = selectionAsRawText(selected);
    // QString::replace would put the replacement between every character.
    if (needle.isEmpty())
        return text;
    QString result = text;
    result.replace(needle, replacement, caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return result;
}

} // namespace FindRules

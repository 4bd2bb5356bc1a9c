#include "editor/typesetting.h"

#include "settings/config.h"

#include <QRegExp>
#include <QSettings>

namespace Typesetting {

OneKeyOptions oneKeyOptions(const QSettings& s)
{
    OneKeyOptions o;
    o.removeSpaces = s.value(Config::RemoveSpaces).toBool();
    o.removeLines = s.value(Config::RemoveLines).toBool();
    o.firstIndent = s.value(Config::FirstIndent2).toBool();
    o.indentNumber = s.value(Config::IndentNumber2).toInt();
    return o;
}

EnterOptions enterOptions(const QSettings& s)
{
    EnterOptions o;
    o.brokenRows = s.value(Config::BrokenRows).toBool();
    o.firstIndent = s.value(Config::FirstIndent1).toBool();
    o.indentNumber = s.value(Config::IndentNumber1).toInt();
    return o;
}

QString indent(int n) { return n > 0 ? QString(2 * n, QLatin1Char(' ')) : QString(); }

QString oneKey(QString text, const OneKeyOptions& options)
{
    // Authors rely on the exact outcome of these passes, quirks included (with spaces kept,
    // "\n \n \n" collapses only to two breaks), so the patterns stay as they always were.
    if (options.removeSpaces)
        text.replace(QRegExp(QStringLiteral(" *")), QString());
    text.replace(QRegExp(QStringLiteral(" *\n *\n* *")), QStringLiteral("\n"));
    if (!options.removeLines)
        text.replace(QRegExp(QStringLiteral("\n")), QStringLiteral("\n\n"));
    if (options.firstIndent) {
        const QString unit = indent(options.indentNumber);
        text.replace(QRegExp(QStringLiteral("    ")), QString());
        text.insert(0, unit);
        text.replace(QRegExp(QStringLiteral("\n *")), QStringLiteral("\n") + unit);
    }
    return text;
}

QString enterInsertion(const EnterOptions& options)
{
    QString s = options.brokenRows ? QStringLiteral("\n\n") : QStringLiteral("\n");
    if (options.firstIndent)
        s += indent(options.indentNumber);
    return s;
}

} // namespace Typesetting

#include "search/searchtarget.h"

#include "library/textfile.h"

#include <QFile>

QString SearchTarget::title() const
{
    return book + QLatin1Char('/') + volume + QLatin1Char('/') + chapter;
}

namespace ChapterSource {

bool decodeClean(const QByteArray& bytes, QString* text)
{
    // The decoder falls back to GB18030 for bytes that are not UTF-8 and marks what neither
    // explains with the replacement character.
    *text = TextFile::decode(bytes);
    return !text->contains(QChar::ReplacementCharacter);
}

State read(const QString& path, QString* text)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return Unreadable;
    return decodeClean(f.readAll(), text) ? Clean : Unclean;
}

} // namespace ChapterSource

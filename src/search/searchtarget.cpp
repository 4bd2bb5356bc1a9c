#include "search/searchtarget.h"

#include "library/textfile.h"

QString SearchTarget::title() const
{
    return book + QLatin1Char('/') + volume + QLatin1Char('/') + chapter;
}

namespace ChapterSource {

State read(const QString& path, QString* text)
{
    if (!TextFile::read(path, text))
        return Unreadable;
    // The decoder marks bytes that neither UTF-8 nor GB18030 explains with the replacement
    // character.
    return text->contains(QChar::ReplacementCharacter) ? Unclean : Clean;
}

} // namespace ChapterSource

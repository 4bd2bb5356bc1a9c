#include "search/searchtarget.h"

#include "library/textfile.h"

QString SearchTarget::title() const
{
    return book + QLatin1Char('/') + volume + QLatin1Char('/') + chapter;
}

namespace ChapterSource {

State read(const QString& path, QString* text)
{
    TextDecoder::Result decoded;
    if (!TextFile::read(path, text, &decoded))
        return Unreadable;
    return decoded.clean ? Clean : Unclean;
}

} // namespace ChapterSource

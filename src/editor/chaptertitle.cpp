#include "editor/chaptertitle.h"

namespace ChapterTitle {

QString plain(const QString& openFile)
{
    QString name = openFile.mid(openFile.lastIndexOf(QLatin1Char('/')) + 1);
    name.chop(4);
    return name;
}

QString starred(const QString& openFile) { return plain(openFile) + QLatin1Char('*'); }

} // namespace ChapterTitle

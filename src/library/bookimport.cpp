#include "library/bookimport.h"

#include "library/catalogpaths.h"
#include "library/naturalorder.h"

#include <QDir>
#include <QFileInfo>

namespace BookImport {

QString bookName(const QString& source) { return QFileInfo(QDir::cleanPath(source)).fileName(); }

Refusal check(const QString& source, const QString& libraryDir, const QStringList& books)
{
    if (!QFileInfo(source).isDir())
        return Refusal::NotADirectory;
    if (Catalog::liesWithin(libraryDir, source) || Catalog::liesWithin(source, libraryDir))
        return Refusal::IntoItself;
    return checkName(bookName(source), libraryDir, books);
}

Refusal checkName(const QString& name, const QString& libraryDir, const QStringList& books)
{
    const QFileInfo target(libraryDir + QLatin1Char('/') + name);
    if (name.isEmpty() || books.contains(name) || target.exists() || target.isSymLink())
        return Refusal::NameTaken;
    return Refusal::None;
}

QString chapterName(const QString& fileName)
{
    const QString suffix = QStringLiteral(".txt");
    if (!fileName.endsWith(suffix) || fileName == QLatin1String("index.txt"))
        return QString();
    return fileName.left(fileName.size() - suffix.size());
}

QVector<Volume> readBook(const QString& bookDir)
{
    QStringList volumeNames = QDir(bookDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    NaturalOrder::sort(volumeNames);
    QVector<Volume> volumes;
    volumes.reserve(volumeNames.size());
    for (const QString& volumeName : volumeNames) {
        Volume volume{volumeName, {}};
        const QDir dir(bookDir + QLatin1Char('/') + volumeName);
        for (const QString& file : dir.entryList(QDir::Files, QDir::Unsorted)) {
            const QString chapter = chapterName(file);
            if (!chapter.isEmpty())
                volume.chapters.append(chapter);
        }
        NaturalOrder::sort(volume.chapters);
        volumes.append(volume);
    }
    return volumes;
}

} // namespace BookImport

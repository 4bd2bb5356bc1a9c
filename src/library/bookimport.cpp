#include "library/bookimport.h"

#include "library/catalogpaths.h"
#include "library/naturalorder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QObject>
#include <QSet>

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

void lowerTxtEndings(const QString& bookDir)
{
    const QStringList volumeNames = QDir(bookDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& volumeName : volumeNames) {
        QDir dir(bookDir + QLatin1Char('/') + volumeName);
        for (const QString& file : dir.entryList(QDir::Files)) {
            if (!file.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) ||
                file.endsWith(QLatin1String(".txt")))
                continue;
            const QString lowered = file.left(file.size() - 4) + QStringLiteral(".txt");
            const QFileInfo twin(dir.filePath(lowered));
            if (!twin.exists() && !twin.isSymLink())
                dir.rename(file, lowered);
        }
    }
}

QStringList unindexedFiles(const QString& bookDir, const QVector<Volume>& volumes)
{
    QSet<QString> indexed{QStringLiteral("index.txt")};
    for (const Volume& volume : volumes) {
        indexed.insert(volume.name + QStringLiteral("/index.txt"));
        for (const QString& chapter : volume.chapters)
            indexed.insert(volume.name + QLatin1Char('/') + chapter + QStringLiteral(".txt"));
    }
    const QDir book(bookDir);
    QStringList left;
    QDirIterator it(bookDir, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = book.relativeFilePath(it.next());
        if (!indexed.contains(relative))
            left.append(relative);
    }
    left.sort();
    return left;
}

QString unindexedMessage(const QStringList& files, int shown)
{
    QString text =
        QObject::tr("导入完成。以下 %1 个文件已复制到书库，但没有成为章节：").arg(files.size());
    for (const QString& file : files.mid(0, shown))
        text += QLatin1Char('\n') + file;
    if (files.size() > shown)
        text += QStringLiteral("\n……");
    return text;
}

} // namespace BookImport

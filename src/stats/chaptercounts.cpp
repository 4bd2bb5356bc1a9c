#include "stats/chaptercounts.h"

#include "app/appdirs.h"
#include "editor/charcount.h"
#include "library/catalogpaths.h"
#include "library/textfile.h"
#include "stats/sqlbatch.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QSqlQuery>
#include <QThread>
#include <QToolTip>
#include <QTreeView>
#include <QVariant>

namespace CountCache {

void ensureTable(QSqlDatabase& db)
{
    QSqlQuery query(db);
    query.exec(
        QStringLiteral("create table if not exists chapter_counts(path text primary key,"
                       "size integer not null,mtime integer not null,count integer not null)"));
}

QHash<QString, CachedCount> load(const QSqlDatabase& db)
{
    QHash<QString, CachedCount> out;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.exec(QStringLiteral("select path,size,mtime,count from chapter_counts"));
    while (query.next()) {
        const CachedCount c{query.value(0).toString(), query.value(1).toLongLong(),
                            query.value(2).toLongLong(), query.value(3).toInt()};
        out.insert(c.path, c);
    }
    return out;
}

bool store(QSqlDatabase& db, const QVector<CachedCount>& entries)
{
    return runInOneTransaction(
        db,
        QStringLiteral("insert or replace into chapter_counts(path,size,mtime,count) "
                       "values(?,?,?,?)"),
        entries, [](QSqlQuery& query, const CachedCount& c) {
            query.addBindValue(c.path);
            query.addBindValue(c.size);
            query.addBindValue(c.mtime);
            query.addBindValue(c.count);
        });
}

bool isChapterFile(const QString& libraryDir, const QString& path)
{
    const QString root = QDir(libraryDir).absolutePath() + QLatin1Char('/');
    // Chapters lie two folders down; the books' and volumes' own index files do not count.
    return path.startsWith(root) && path.endsWith(QLatin1String(".txt")) &&
           path.mid(root.size()).count(QLatin1Char('/')) == 2;
}

QMap<QString, int> scan(const QString& libraryDir, const QHash<QString, CachedCount>& cache,
                        QVector<CachedCount>* changed)
{
    QMap<QString, int> counts;
    QDirIterator it(libraryDir, {QStringLiteral("*.txt")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir::cleanPath(it.next());
        if (!isChapterFile(libraryDir, path))
            continue;
        const QFileInfo info = it.fileInfo();
        const qint64 mtime = info.lastModified().toMSecsSinceEpoch();
        const auto hit = cache.constFind(path);
        if (hit != cache.constEnd() && hit->size == info.size() && hit->mtime == mtime) {
            counts.insert(path, hit->count);
            continue;
        }
        QString text;
        TextFile::read(path, &text);
        // Counted as the author reads it, like the open chapter.
        text.replace(QChar::Nbsp, QLatin1Char(' '));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        const CachedCount c{path, info.size(), mtime, chapterCharCount(text)};
        counts.insert(path, c.count);
        changed->append(c);
    }
    return counts;
}

} // namespace CountCache

ChapterCounts::ChapterCounts(QTreeView* tree, QLabel* statusPath, const QString& libraryDir,
                             std::function<QPair<QString, int>()> openChapter, QObject* parent)
    : QObject(parent), m_tree(tree), m_statusPath(statusPath), m_libraryDir(libraryDir),
      m_openChapter(std::move(openChapter))
{
    m_tree->viewport()->installEventFilter(this);
    m_statusPath->installEventFilter(this);
}

ChapterCounts::~ChapterCounts()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void ChapterCounts::setCount(const QString& file, int count)
{
    if (CountCache::isChapterFile(m_libraryDir, file))
        m_counts.insert(file, count);
}

void ChapterCounts::start(const QString& databasePath)
{
    if (m_thread)
        return;
    const QString libraryDir = m_libraryDir;
    m_thread = QThread::create([this, libraryDir, databasePath] {
        QHash<QString, CachedCount> cache;
        const QString name = QStringLiteral("chaptercounts");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(databasePath);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (db.open())
                cache = CountCache::load(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        QVector<CachedCount> changed;
        const QMap<QString, int> counts = CountCache::scan(libraryDir, cache, &changed);
        QMetaObject::invokeMethod(
            this, [this, counts, changed] { finished(counts, changed); }, Qt::QueuedConnection);
    });
    m_thread->start(QThread::LowPriority);
}

void ChapterCounts::finished(const QMap<QString, int>& counts, const QVector<CachedCount>& changed)
{
    // Counts set by saves while the thread ran are newer than what it read.
    QMap<QString, int> merged = counts;
    for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it)
        merged.insert(it.key(), it.value());
    m_counts = merged;
    QSqlDatabase db = QSqlDatabase::database();
    CountCache::store(db, changed);
    m_ready = true;
    emit ready();
}

QString ChapterCounts::summaryOf(const QString& path) const
{
    const QPair<QString, int> open = m_openChapter ? m_openChapter() : qMakePair(QString(), 0);
    if (path.endsWith(QLatin1String(".txt")))
        return tr("%1 字").arg(path == open.first ? open.second : m_counts.value(path));
    const QString prefix = path + QLatin1Char('/');
    int chapters = 0;
    qint64 chars = 0;
    for (auto it = m_counts.lowerBound(prefix);
         it != m_counts.cend() && it.key().startsWith(prefix); ++it) {
        ++chapters;
        chars += it.key() == open.first ? open.second : it.value();
    }
    return tr("共 %1 章 · %2 字").arg(chapters).arg(chars);
}

bool ChapterCounts::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !m_ready)
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    QString path;
    if (watched == m_statusPath) {
        // A book or a volume is open through its index file.
        const QString open = m_openChapter ? m_openChapter().first : QString();
        if (!open.endsWith(QLatin1String("/index.txt")))
            return QObject::eventFilter(watched, event);
        path = open.left(open.size() - int(qstrlen("/index.txt")));
    } else {
        const QModelIndex index = m_tree->indexAt(help->pos());
        const Catalog::Kind kind = Catalog::kindOf(index);
        if (kind == Catalog::NoItem)
            return QObject::eventFilter(watched, event);
        path = Catalog::itemPath(index, AppDirs::libraryPrefix());
        if (kind == Catalog::Chapter)
            path += QStringLiteral(".txt");
    }
    QToolTip::showText(help->globalPos(), summaryOf(path), qobject_cast<QWidget*>(watched));
    return true;
}

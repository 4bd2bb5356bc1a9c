#pragma once

#include <QHash>
#include <QMap>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include <functional>

class QLabel;
class QTreeView;

// A chapter file's count as cached in sys.db, valid while the file keeps its size and
// modification time.
struct CachedCount {
    QString path;
    qint64 size = 0;
    qint64 mtime = 0; // milliseconds since the epoch
    int count = 0;
};

namespace CountCache {

void ensureTable(QSqlDatabase& db);
QHash<QString, CachedCount> load(const QSqlDatabase& db);
bool store(QSqlDatabase& db, const QVector<CachedCount>& entries);

// Every chapter file below `libraryDir` (book/volume/chapter.txt) with its count: from
// `cache` while size and time match, counted again otherwise; the recounted ones are also
// put in `changed`.
// Whether `path` is a chapter file: book/volume/chapter.txt below `libraryDir`.
bool isChapterFile(const QString& libraryDir, const QString& path);

QMap<QString, int> scan(const QString& libraryDir, const QHash<QString, CachedCount>& cache,
                        QVector<CachedCount>* changed);

} // namespace CountCache

// The counts of the whole library for the catalog's and the status path's tooltips. They
// are gathered in a background thread after start-up (reading sys.db on its own
// connection); only the GUI thread writes the cache back.
class ChapterCounts : public QObject
{
    Q_OBJECT
public:
    // `openChapter` gives the open chapter's file and its live count.
    ChapterCounts(QTreeView* tree, QLabel* statusPath, const QString& libraryDir,
                  std::function<QPair<QString, int>()> openChapter, QObject* parent);
    ~ChapterCounts() override;

    // Starts the background count; the tooltips answer once it has finished.
    void start(const QString& databasePath);
    bool isReady() const { return m_ready; }
    // A saved chapter's count, current before the next start-up's scan.
    void setCount(const QString& file, int count);

    // "共 35 章 · 123456 字" for a book or volume folder, "123456 字" for a chapter file.
    QString summaryOf(const QString& path) const;

signals:
    void ready();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finished(const QMap<QString, int>& counts, const QVector<CachedCount>& changed);

    QTreeView* m_tree;
    QLabel* m_statusPath;
    QString m_libraryDir;
    std::function<QPair<QString, int>()> m_openChapter;
    QMap<QString, int> m_counts;
    QThread* m_thread = nullptr;
    bool m_ready = false;
};

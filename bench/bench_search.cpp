// Search across chapters over a big library, and a replacement across a whole book with
// its backup copies.
#include "benchtable.h"

#include "search/chapterreplace.h"
#include "search/searchrun.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

namespace {

const QString name = QStringLiteral("林风");

QTemporaryDir& root()
{
    static QTemporaryDir dir;
    return dir;
}

QString libraryPrefix() { return root().path() + QStringLiteral("/data/我的书籍/"); }

// `books` x `volumes` x `chapters` files of about `bytes` bytes each, the name twice in
// every `every`th chapter; the targets in catalog order.
QVector<SearchTarget> makeLibrary(const QString& prefix, int books, int volumes, int chapters,
                                  int bytes, int every)
{
    const QByteArray sentence =
        QStringLiteral("　　夜色渐深，客栈里只剩下他一个人，灯火摇曳，窗外的山风吹个不停。\n\n")
            .toUtf8();
    QByteArray plain;
    while (plain.size() < bytes)
        plain += sentence;
    const QByteArray named = name.toUtf8() + plain + name.toUtf8();
    QVector<SearchTarget> targets;
    int n = 0;
    for (int b = 1; b <= books; ++b) {
        for (int v = 1; v <= volumes; ++v) {
            const QString book = prefix + QStringLiteral("书%1").arg(b);
            const QString volume = QStringLiteral("第%1卷").arg(v);
            QDir().mkpath(book + QLatin1Char('/') + volume);
            for (int c = 1; c <= chapters; ++c) {
                SearchTarget t{QStringLiteral("书%1").arg(b),
                               volume,
                               QStringLiteral("第%1章").arg(c),
                               {},
                               false,
                               {}};
                t.path = book + QLatin1Char('/') + volume + QLatin1Char('/') + t.chapter +
                         QStringLiteral(".txt");
                QFile f(t.path);
                const QByteArray& content = ++n % every == 0 ? named : plain;
                if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
                    qFatal("cannot write the library");
                targets.append(t);
            }
        }
    }
    return targets;
}

// 15,000 chapters, some 50 MB.
const QVector<SearchTarget>& library()
{
    static const QVector<SearchTarget> targets = makeLibrary(libraryPrefix(), 10, 10, 150, 3400, 7);
    return targets;
}

// Milliseconds from the start of a search to its first results in this thread, or to its end.
double search(const QString& pattern, bool regex, bool untilFirst)
{
    SearchRun run(1, library(), TextMatcher(pattern, {false, regex}));
    QEventLoop loop;
    int matches = -1;
    QObject::connect(&run, &SearchRun::found, &loop, [&] {
        if (untilFirst)
            loop.quit();
    });
    QObject::connect(&run, &SearchRun::completed, &loop, [&](int, int, int n, bool) {
        matches = n;
        loop.quit();
    });
    QElapsedTimer t;
    t.start();
    run.start();
    loop.exec();
    const double ms = t.nsecsElapsed() / 1e6;
    run.cancel();
    run.wait();
    if (!untilFirst && matches != 2 * (library().size() / 7))
        qWarning("the search missed matches: %d", matches);
    return ms;
}

// One book of 2,000 chapters, rewritten before every run; the backups emptied.
const QString replaceBook = QStringLiteral("改名/");
QVector<SearchTarget> g_book;

void prepareBook()
{
    const QString prefix = libraryPrefix() + replaceBook;
    QDir(prefix).removeRecursively();
    QDir(root().path() + QStringLiteral("/bak")).removeRecursively();
    QDir().mkpath(root().path() + QStringLiteral("/bak"));
    g_book = makeLibrary(prefix, 1, 4, 500, 3400, 1);
}

void replaceInBook()
{
    // The whole 全部替换: the search that counts, then the replacement with backups.
    SearchRun run(1, g_book, TextMatcher(name, {true, false}));
    QSet<QString> matched;
    QObject::connect(&run, &SearchRun::found, [&](int, const QVector<ChapterResult>& batch) {
        for (const ChapterResult& r : batch)
            matched.insert(r.target.path);
    });
    run.start();
    run.wait();
    QVector<SearchTarget> targets;
    for (const SearchTarget& t : g_book) {
        if (matched.contains(t.path))
            targets.append(t);
    }
    const ChapterReplace::Places places{libraryPrefix(), root().path() + QStringLiteral("/bak"),
                                        QDateTime::currentMSecsSinceEpoch()};
    const auto outcome = ChapterReplace::run(targets, TextMatcher(name, {true, false}),
                                             QStringLiteral("萧炎"), places, {});
    if (outcome.chapters != g_book.size() || !outcome.failures.isEmpty())
        qWarning("the replacement changed %d chapters", outcome.chapters);
}

BenchRegistrar searchCases([] {
    std::vector<BenchCase> cases;
    BenchCase first{"search: first results", "15,000 chapters, 50 MB", 5, 100, {}};
    first.measure = [] { return search(name, false, true); };
    BenchCase plain{"search: whole library, plain word", "15,000 chapters, 50 MB", 5, 1000, {}};
    plain.measure = [] { return search(name, false, false); };
    BenchCase regex{
        "search: whole library, regex alternatives", "15,000 chapters, 50 MB", 5, 2000, {}};
    regex.measure = [] { return search(QStringLiteral("林风|萧炎|张三丰"), true, false); };
    BenchCase replace{"replace: one name with backups",
                      "2,000 chapters, 4,000 names",
                      3,
                      5000,
                      replaceInBook,
                      prepareBook};
    cases.push_back(first);
    cases.push_back(plain);
    cases.push_back(regex);
    cases.push_back(replace);
    return cases;
});

} // namespace

// Typing at the end of a chapter in the real program, as an author does it: the program on
// an X server of the batch's own, the keys from the XTest extension (xdotool), and the CPU
// time the program spends per key at the end of a 2,000- and of a 220,000-character text.
// The long text may cost at most 20% more per key. Each length gets one warm-up and 5
// measured runs, interleaved so that the machine's noise favours neither. A run counts only
// when the text file afterwards ends with exactly the keys typed.
#include "privatexserver.h"
#include "startinstall.h"
#include "startwatch.h"

#include "app/appdirs.h"
#include "editor/charcount.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kKeys = 200;
constexpr double kFactor = 1.2;
const int kLengths[] = {2000, 220000};
// Where the starter chapter's row lies in the catalog of the 800×705 window, below its book
// and volume, on a second start.
constexpr int kChapterRowX = 100;
constexpr int kChapterRowY = 164;

bool xdotool(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// An application directory after its first start, its starter chapter holding `length`
// characters. Returns the chapter's file, empty on failure.
QString prepare(StartWatch& watch, const QString& dir, const QStringList& environment, int length)
{
    const QString program =
        StartInstall::install(QStringLiteral(LORVANE_APP_DIR "/lorvane"), dir, true);
    if (program.isEmpty() || !watch.run(program, dir, environment, dir + "/first.log").ok)
        return QString();
    AppDirs::setRoot(dir);
    QDirIterator chapters(AppDirs::libraryDir(), {"*.txt"}, QDir::Files,
                          QDirIterator::Subdirectories);
    AppDirs::setRoot(QString());
    QString file;
    while (file.isEmpty() && chapters.hasNext()) {
        if (chapters.next().section(QLatin1Char('/'), -1) != QLatin1String("index.txt"))
            file = chapters.filePath();
    }
    if (file.isEmpty())
        return QString();
    const QString paragraph = QStringLiteral("　　夜色渐深，客栈里只剩下他一个人。\n\n");
    const int perParagraph = chapterCharCount(paragraph);
    const QString text = paragraph.repeated((length + perParagraph - 1) / perParagraph);
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(text.toUtf8()) > 0 ? file : QString();
}

// One run: opens the chapter, goes to the end, types; the CPU per key with the program's idle
// use over the same time (the cursor's blinking) taken out. -1 when the keys did not arrive.
double typeOnce(StartWatch& watch, const QString& dir, const QStringList& environment,
                const QString& file)
{
    const qint64 before = QFileInfo(file).size();
    double perKey = -1;
    const auto session = [&](int pid, const StartFigures& started) {
        StartFigures quiet;
        const QString window = QString::number(started.window);
        xdotool({"mousemove", "--sync", "--window", window, QString::number(kChapterRowX),
                 QString::number(kChapterRowY), "click", "1"});
        StartWatch::waitUntilQuiet(pid, quiet);
        xdotool({"key", "ctrl+End"});
        StartWatch::waitUntilQuiet(pid, quiet);
        const double idleStart = StartWatch::threadsCpuMs(pid);
        QThread::msleep(2000);
        const double idlePerMs = (StartWatch::threadsCpuMs(pid) - idleStart) / 2000;
        QElapsedTimer clock;
        clock.start();
        const double busyStart = StartWatch::threadsCpuMs(pid);
        xdotool({"type", "--delay", "25", QString(kKeys, QLatin1Char('a'))});
        StartWatch::waitUntilQuiet(pid, quiet);
        const double used = StartWatch::threadsCpuMs(pid) - busyStart;
        perKey = (used - idlePerMs * clock.elapsed()) / kKeys;
    };
    const StartFigures f =
        watch.run(dir + "/lorvane", dir, environment, dir + "/output.log", session);
    // The orderly quit saved the text: every key must be in it, at its end.
    QFile in(file);
    const bool arrived = f.ok && in.open(QIODevice::ReadOnly) && in.size() == before + kKeys &&
                         in.readAll().endsWith(QByteArray(kKeys, 'a'));
    if (!arrived)
        std::fprintf(stderr, "typing in %s: the keys did not reach the text (%s)\n",
                     qPrintable(dir), qPrintable(f.failure));
    return arrived ? perKey : -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root(QStringLiteral(LORVANE_BENCH_WORK_DIR "/typebench-XXXXXX"));
    PrivateXServer x;
    if (!root.isValid() || !x.isRunning()) {
        std::fprintf(stderr, "typing batch: no temporary directory or no Xvfb\n");
        return 1;
    }
    QProcess bus;
    const QStringList environment = StartInstall::environment(
        root.path(), qgetenv("DISPLAY"), StartInstall::startSessionBus(bus, root.path()));
    StartWatch watch(qgetenv("DISPLAY"));
    std::vector<QString> dirs, files;
    for (int length : kLengths) {
        dirs.push_back(QStringLiteral("%1/text-%2").arg(root.path()).arg(length));
        const QString& dir = dirs.back();
        files.push_back(watch.isConnected() ? prepare(watch, dir, environment, length) : QString());
        if (files.back().isEmpty()) {
            std::fprintf(stderr, "typing batch: cannot prepare %s\n", qPrintable(dir));
            return 1;
        }
    }
    std::vector<std::vector<double>> perKey(std::size(kLengths));
    bool failed = false;
    for (int round = 0; round <= kRuns; ++round) {
        for (size_t i = 0; i < std::size(kLengths); ++i) {
            const size_t which = (i + round) % std::size(kLengths);
            const double ms = typeOnce(watch, dirs[which], environment, files[which]);
            failed = failed || ms < 0;
            // Round 0 is the warm-up.
            if (round > 0 && ms >= 0)
                perKey[which].push_back(ms);
        }
    }
    std::printf("%-48s %12s %10s\n", "typing at the end of a text", "CPU per key", "runs");
    for (size_t i = 0; i < std::size(kLengths); ++i)
        std::printf(
            "%-48s %9.3f ms %10zu\n",
            qPrintable(QStringLiteral("%1 characters, %2 keys").arg(kLengths[i]).arg(kKeys)),
            median(perKey[i]), perKey[i].size());
    const double ratio = median(perKey[1]) / median(perKey[0]);
    const bool pass = !failed && ratio <= kFactor;
    std::printf("long text against short: %.2fx (budget %.1fx) %s\n", ratio, kFactor,
                pass ? "ok" : "OVER");
    bus.terminate();
    bus.waitForFinished(5000);
    return pass ? 0 : 1;
}

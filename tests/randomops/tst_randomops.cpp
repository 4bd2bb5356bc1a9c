#include "randomops/invariants.h"
#include "randomops/operations.h"
#include "randomops/world.h"

#include <QElapsedTimer>
#include <QtTest>

// Never lose a word: long random sequences of what an author does, run on the real main
// window and on a model of the library, with every invariant checked after every step. A
// failing run is shrunk to the shortest sequence that still fails and printed with its seed;
// LORVANE_RANDOMOPS_SEED=<seed> LORVANE_RANDOMOPS_STEPS=<n> replays it (with
// LORVANE_RANDOMOPS_LOG set, every step is printed).
class TstRandomOps : public QObject
{
    Q_OBJECT
private slots:
    void neverLoseAWord_data();
    void neverLoseAWord();
    void soak();
};

namespace {

struct Step {
    int op;
    quint32 seed;
};

struct Outcome {
    int failedAt = -1; // the index of the failing step; -1 when every invariant held
    QString why;
    QStringList log;
};

// Runs `steps` on a fresh world; steps whose precondition does not hold are skipped. With
// `grow`, appends freshly drawn steps (from `draw`) until there are `length`.
Outcome run(QVector<Step>& steps, bool grow, int length, QRandomGenerator* draw, bool keepLog)
{
    World world(knownFaults());
    Outcome out;
    if (QString why = checkInvariants(world); !why.isEmpty()) {
        out.failedAt = 0;
        out.why = "at the start: " + why;
        return out;
    }
    const QVector<Operation>& ops = operations();
    for (int i = 0; i < (grow ? length : steps.size()); ++i) {
        if (grow && i >= steps.size()) {
            int total = 0;
            for (const Operation& op : ops)
                total += op.can(world) ? op.weight : 0;
            int ticket = int(draw->bounded(quint32(total)));
            int chosen = 0;
            while (!ops[chosen].can(world) || (ticket -= ops[chosen].weight) >= 0)
                ++chosen;
            steps.append({chosen, draw->generate()});
        }
        const Operation& op = ops[steps[i].op];
        if (!op.can(world))
            continue;
        world.rng.seed(steps[i].seed);
        const QString args = op.run(world);
        if (keepLog)
            out.log << QString("%1. %2 %3").arg(i + 1).arg(op.name, args);
        if (QString why = checkInvariants(world); !why.isEmpty()) {
            out.failedAt = i;
            out.why = why;
            return out;
        }
    }
    return out;
}

// The shortest sequence found, within `budgetMs`, that still breaks an invariant: chunks
// of steps are left out while the run keeps failing, halving the chunk when none can go.
QVector<Step> shrink(QVector<Step> steps, qint64 budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    for (int chunk = qMax(1, steps.size() / 2); chunk >= 1 && clock.elapsed() < budgetMs;) {
        bool removed = false;
        for (int start = 0; start < steps.size() && clock.elapsed() < budgetMs;) {
            QVector<Step> candidate = steps;
            candidate.remove(start, qMin(chunk, steps.size() - start));
            const Outcome out = run(candidate, false, 0, nullptr, false);
            if (out.failedAt >= 0) {
                steps = candidate.mid(0, out.failedAt + 1);
                removed = true;
            } else {
                start += chunk;
            }
        }
        if (!removed)
            chunk /= 2;
    }
    return steps;
}

// Empty when the run held; else the report: seed, first failure, shrunk sequence.
QString runSeed(quint32 seed, int length, qint64 shrinkBudgetMs)
{
    QRandomGenerator draw(seed);
    QVector<Step> steps;
    const bool log = qEnvironmentVariableIsSet("LORVANE_RANDOMOPS_LOG");
    const Outcome first = run(steps, true, length, &draw, log);
    if (log)
        qInfo().noquote() << first.log.join('\n');
    if (first.failedAt < 0)
        return QString();
    const QVector<Step> shortest = shrink(steps.mid(0, first.failedAt + 1), shrinkBudgetMs);
    QVector<Step> replay = shortest;
    const Outcome last = run(replay, false, 0, nullptr, true);
    const QStringList known = knownFaults().values();
    return QString("seed %1 failed at step %2 of %3: %4\nshortest sequence (%5 steps) failing "
                   "with: %6\n%7\nknown faults kept out of the way: %8")
        .arg(seed)
        .arg(first.failedAt + 1)
        .arg(length)
        .arg(first.why)
        .arg(shortest.size())
        .arg(last.failedAt >= 0 ? last.why : "(did not fail again)", last.log.join('\n'),
             known.join(' '));
}

} // namespace

void TstRandomOps::neverLoseAWord_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("length");
    if (qEnvironmentVariableIsSet("LORVANE_RANDOMOPS_SEED")) {
        QTest::newRow("chosen seed")
            << quint32(qEnvironmentVariableIntValue("LORVANE_RANDOMOPS_SEED"))
            << qMax(1, qEnvironmentVariableIntValue("LORVANE_RANDOMOPS_STEPS"));
        return;
    }
    // About a minute in all; scripts/soak.sh runs fresh seeds for longer.
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed << 200;
}

void TstRandomOps::neverLoseAWord()
{
    QFETCH(quint32, seed);
    QFETCH(int, length);
    const QString report = runSeed(seed, length, 45000);
    if (!report.isEmpty())
        QFAIL(qPrintable(report));
}

void TstRandomOps::soak()
{
    const int minutes = qEnvironmentVariableIntValue("LORVANE_SOAK_MINUTES");
    if (minutes <= 0)
        QSKIP("a long run with fresh seeds: set LORVANE_SOAK_MINUTES (scripts/soak.sh)");
    QElapsedTimer clock;
    clock.start();
    QStringList failures;
    int runs = 0;
    while (clock.elapsed() < minutes * 60000LL) {
        const quint32 seed = QRandomGenerator::global()->generate();
        ++runs;
        const QString report = runSeed(seed, 400, 300000);
        if (!report.isEmpty()) {
            qWarning().noquote() << report;
            failures << report;
        }
    }
    qInfo().noquote() << runs << "runs," << failures.size() << "failed";
    if (!failures.isEmpty())
        QFAIL(qPrintable(failures.join("\n\n")));
}

QTEST_MAIN(TstRandomOps)
#include "tst_randomops.moc"

#include "randomops/world.h"

#include <QElapsedTimer>
#include <QtTest>

// Never lose a word: random sequences of what an author does, on the real window and on a
// model, every invariant checked after every step; a failure is shrunk and printed with its
// seed. LORVANE_RANDOMOPS_SEED/_STEPS replay it, LORVANE_RANDOMOPS_LOG prints every step.
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
    int failedAt; // the failing step's index; -1 when every invariant held
    QString why;
    QStringList log;
};

// Runs `steps` on a fresh world, skipping those whose precondition does not hold; with
// `draw`, first appends steps drawn from it by weight until there are `length`.
Outcome run(QVector<Step>& steps, int length = 0, QRandomGenerator* draw = nullptr)
{
    World world;
    const QVector<Operation>& ops = operations();
    QStringList log;
    if (const QString why = checkInvariants(world); !why.isEmpty())
        return {0, "at the start: " + why, log};
    for (int i = 0; i < qMax(length, steps.size()); ++i) {
        if (i >= steps.size()) {
            int ticket = 0;
            for (const Operation& op : ops)
                ticket += op.can(world) ? op.weight : 0;
            ticket = int(draw->bounded(quint32(ticket)));
            int chosen = 0;
            while (!ops[chosen].can(world) || (ticket -= ops[chosen].weight) >= 0)
                ++chosen;
            steps.append({chosen, draw->generate()});
        }
        const Operation& op = ops[steps[i].op];
        if (!op.can(world))
            continue;
        world.rng.seed(steps[i].seed);
        log << QString("%1. %2 %3").arg(i + 1).arg(op.name, op.run(world));
        if (const QString why = checkInvariants(world); !why.isEmpty())
            return {i, why, log};
    }
    return {-1, QString(), log};
}

// Empty when the run held; else the seed, the first failure and the shortest sequence found
// within `shrinkMs` that still fails: chunks of steps are left out while the run keeps
// failing, halving the chunk when none can go.
QString runSeed(quint32 seed, int length, qint64 shrinkMs)
{
    QRandomGenerator draw(seed);
    QVector<Step> steps;
    const Outcome first = run(steps, length, &draw);
    if (qEnvironmentVariableIsSet("LORVANE_RANDOMOPS_LOG"))
        qInfo().noquote() << first.log.join('\n');
    if (first.failedAt < 0)
        return QString();
    steps.resize(first.failedAt + 1);
    QElapsedTimer clock;
    clock.start();
    for (int chunk = qMax(1, steps.size() / 2); chunk >= 1 && clock.elapsed() < shrinkMs;) {
        bool removed = false;
        for (int start = 0; start < steps.size() && clock.elapsed() < shrinkMs;) {
            QVector<Step> candidate = steps;
            candidate.remove(start, qMin(chunk, steps.size() - start));
            const int failedAt = run(candidate).failedAt;
            removed = removed || failedAt >= 0;
            start += failedAt >= 0 ? 0 : chunk;
            steps = failedAt >= 0 ? candidate.mid(0, failedAt + 1) : steps;
        }
        chunk /= removed ? 1 : 2;
    }
    const Outcome last = run(steps);
    return QString("seed %1 failed at step %2 of %3: %4\nshortest sequence (%5 steps) failing "
                   "with: %6\n%7")
        .arg(seed)
        .arg(first.failedAt + 1)
        .arg(length)
        .arg(first.why)
        .arg(steps.size())
        .arg(last.failedAt >= 0 ? last.why : "(did not fail again)", last.log.join('\n'));
}

} // namespace

void TstRandomOps::neverLoseAWord_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("length");
    if (qEnvironmentVariableIsSet("LORVANE_RANDOMOPS_SEED"))
        QTest::newRow("chosen seed")
            << quint32(qEnvironmentVariableIntValue("LORVANE_RANDOMOPS_SEED"))
            << qMax(1, qEnvironmentVariableIntValue("LORVANE_RANDOMOPS_STEPS"));
    else // about a minute in all; scripts/soak.sh runs fresh seeds for longer
        for (quint32 seed = 1; seed <= 12; ++seed)
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed << 200;
}

void TstRandomOps::neverLoseAWord()
{
    QFETCH(quint32, seed);
    QFETCH(int, length);
    const QString report = runSeed(seed, length, 45000);
    QVERIFY2(report.isEmpty(), qPrintable(report));
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
    for (; clock.elapsed() < minutes * 60000LL; ++runs) {
        if (const QString report = runSeed(QRandomGenerator::global()->generate(), 400, 300000);
            !report.isEmpty())
            qWarning().noquote() << (failures << report).last();
    }
    qInfo().noquote() << runs << "runs," << failures.size() << "failed";
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n\n")));
}

QTEST_MAIN(TstRandomOps)
#include "tst_randomops.moc"

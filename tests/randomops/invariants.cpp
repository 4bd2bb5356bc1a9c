#include "randomops/world.h"
#include "support/librarysupport.h"

#include "app/mainwindow.h"
#include "settings/config.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTextEdit>

#include <utility>

namespace {

using Files = QMap<QString, QByteArray>;
const QString kLib = QStringLiteral("data/我的书籍");

Files filesBelow(const QString& dir)
{
    Files all;
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        all[path.mid(dir.size() + 1)] = readBytes(path);
    }
    return all;
}

QString show(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes.left(120)).replace('\n', "\\n");
}

QString compareFiles(const QString& where, const Files& expected, const Files& found)
{
    for (const QString& name : expected.keys() + found.keys()) {
        if (expected.contains(name) != found.contains(name) || expected[name] != found[name])
            return QString("%1: %2 holds %3, expected %4")
                .arg(where, name, found.contains(name) ? show(found[name]) : "nothing",
                     expected.contains(name) ? show(expected[name]) : "nothing");
    }
    return QString();
}

// The live rows as tree lines. (A renamed book or volume leaves its descendants' stored
// urls behind; nothing reads them, so only the names are compared.)
QStringList tableLines(int pid = 0, const QString& indent = QString())
{
    QSqlQuery q(QSqlDatabase::database());
    q.prepare("select id , name from books where del = 0 and pid = ? order by sort , id");
    q.addBindValue(pid);
    q.exec();
    QStringList lines;
    while (q.next())
        lines << indent + q.value(1).toString() << tableLines(q.value(0).toInt(), indent + "  ");
    return lines;
}

QString first(std::initializer_list<QString> whys)
{
    for (const QString& why : whys) {
        if (!why.isEmpty())
            return why;
    }
    return QString();
}

// Takes from `entries` (of `dir`) one copy for each wanted one, a name matching its pattern
// with the files it must hold; then nothing may be left.
QString takeCopies(const QString& dir, QStringList& entries,
                   const QVector<LibraryModel::BinEntry>& wanted, const QString& where)
{
    for (const LibraryModel::BinEntry& want : wanted) {
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
            const QString path = dir + '/' + e;
            return QRegularExpression(want.pattern).match(e).hasMatch() &&
                   (QFileInfo(path).isDir() ? filesBelow(path)
                                            : Files{{QString(), readBytes(path)}}) == want.files;
        });
        if (it == entries.end())
            return QString("%1 has no copy matching %2 with %3 (\"%4\")")
                .arg(where, want.pattern, want.files.keys().join(", "), show(want.files.first()));
        entries.erase(it);
    }
    return entries.isEmpty() ? QString()
                             : QString("unexpected in %1: %2").arg(where, entries.join(", "));
}

QString checkBin(World& world)
{
    const QString binDir = world.app.file("data/回收站");
    QStringList entries = QDir(binDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    return takeCopies(binDir, entries, world.model.bin, "the recycle bin");
}

QString checkOutside(World& world)
{
    const QStringList allowedTop = {"config.ini", "sys.db", "sys.db-journal", "data",
                                    "bak",        "key",    "sound",          "lock.active"};
    for (const QString& e :
         QDir(world.app.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (!allowedTop.contains(e))
            return "unexpected entry in the application directory: " + e;
    }
    const QStringList data =
        QDir(world.app.file("data")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    return first(
        {data == QStringList{"回收站", "我的书籍"} ? "" : "data holds " + data.join(", "),
         compareFiles("import sources", world.sourceFiles, filesBelow(world.sources.path())),
         compareFiles("exports", world.expectedExports, filesBelow(world.exports.path()))});
}

// The backups the step had to write, and the autosave's one with the editor's text: there
// when the text had changed, perhaps there when it had not.
QString checkBackups(World& world)
{
    const QString bak = world.app.file("bak");
    QStringList fresh;
    for (const QString& name : QDir(bak).entryList(QDir::Files)) {
        if (!world.seenBackups.contains(name))
            fresh << name;
        world.seenBackups.insert(name);
    }
    QVector<LibraryModel::BinEntry> wanted = std::exchange(world.newBackups, {});
    const QString text = std::exchange(world.backupText, QString());
    if (std::exchange(world.backupRequired, false) ||
        (!text.isNull() && fresh.size() > wanted.size()))
        wanted.append({QString(), {{QString(), text.toUtf8()}}});
    return takeCopies(bak, fresh, wanted, "bak");
}

using Tally = QMap<QString, QPoint>;

QString figures(const Tally& byBook)
{
    QString text;
    QDebug(&text) << byBook;
    return text;
}

// The writing log in sys.db holds what the author's keys did, once saved; the goal label
// adds what is pending. A save keeps it all, or (when the step saved nothing) none of it.
QString checkWriting(World& world)
{
    Tally stored;
    QSqlQuery q("select book , added , removed from writing_log", QSqlDatabase::database());
    while (q.next())
        stored[q.value(0).toString()] += QPoint(q.value(1).toInt(), q.value(2).toInt());
    auto& [saved, pending] = world.written;
    const bool mustHaveSaved = std::exchange(world.logSaved, false);
    if (std::exchange(world.logMayBeLost, false) && stored == saved)
        pending.clear();
    Tally all = saved;
    for (auto it = pending.cbegin(); it != pending.cend(); ++it)
        all[it.key()] += it.value();
    if (stored == all)
        saved = stored, pending.clear();
    else if (stored != saved || mustHaveSaved)
        return QString("writing_log holds %1, expected %2 and %3 since the last save")
            .arg(figures(stored), figures(saved), figures(pending));
    // The label counts today only: past midnight the run's earlier writing drops out of it.
    int net = 0;
    for (const QPoint& f : all)
        net += f.x() - f.y();
    const QString goal = QString("今日:%1/%2").arg(net).arg(world.dailyGoal);
    QStringList labels;
    for (const QLabel* l :
         world.window->findChild<QStatusBar*>("statusBar")->findChildren<QLabel*>())
        labels << l->text();
    if (!labels.contains(goal) && QDate::currentDate() == world.started)
        return QString("the status bar shows [%1], not \"%2\"").arg(labels.join(" | "), goal);
    const int kept = world.settings()->value(Config::DailyGoal, 4000).toInt();
    return kept == world.dailyGoal ? QString()
                                   : QString("config.ini keeps the daily goal %1").arg(kept);
}

// A cached count whose size and time still match its file is that file's count.
QString checkCountCache(World& world)
{
    QHash<QString, QString> texts;
    for (int uid : world.model.uids(3))
        texts[world.app.file(kLib) + '/' + world.model.relFile(uid)] = world.model.find(uid)->text;
    QSqlQuery q("select path , size , mtime , count from chapter_counts", QSqlDatabase::database());
    while (q.next()) {
        const QFileInfo file(q.value(0).toString());
        if (texts.contains(file.filePath()) && file.size() == q.value(1).toLongLong() &&
            file.lastModified().toMSecsSinceEpoch() == q.value(2).toLongLong() &&
            q.value(3).toInt() != readingCount(texts[file.filePath()]))
            return QString("the count cache holds %1 for %2")
                .arg(q.value(3).toInt())
                .arg(file.filePath());
    }
    return QString();
}

// The boxes shown, in order; an expected kind of -1 stands for a box of any kind whose text
// names every "|"-separated word.
QString checkBoxes(World& world)
{
    QList<QPair<int, QString>>&shown = world.app.messages, &expected = world.expectedMessages;
    bool same = shown.size() == expected.size();
    QStringList lines[2];
    for (int i = 0; i < qMax(shown.size(), expected.size()); ++i) {
        for (const QString& word : expected.value(i).second.split('|'))
            same = same && (expected[i].first == -1 ? shown[i].second.contains(word)
                                                    : shown[i] == expected[i]);
        lines[0] << QString("%1:%2").arg(shown.value(i).first).arg(shown.value(i).second);
        lines[1] << QString("%1:%2").arg(expected.value(i).first).arg(expected.value(i).second);
    }
    shown.clear();
    expected.clear();
    return same ? QString()
                : QString("boxes shown [%1], expected [%2]")
                      .arg(lines[0].join(", "), lines[1].join(", "));
}

// The editor shows the model's text, enabled as the model says, and the status bar counts it
// as its plain-text view shows it: every character but line feeds and spaces.
QString checkEditor(World& world)
{
    const LibraryModel& m = world.model;
    if (!m.openUid)
        return QString();
    const auto labels = world.window->findChild<QStatusBar*>("statusBar")
                            ->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    const QString count = labels.size() >= 3 ? labels[2]->text() : QString();
    if (world.editorText() != m.editor)
        return QString("the editor shows \"%1\", expected \"%2\" of %3")
            .arg(show(world.editorText().toUtf8()), show(m.editor.toUtf8()), m.relFile(m.openUid));
    if (m.editorEnabled && !count.startsWith(QString("总字数:%1\t").arg(readingCount(m.editor))))
        return QString("the status bar shows \"%1\" for the editor's text").arg(count);
    if (m.editorEnabled != editorOf(*world.window)->isEnabled())
        return QString("the editor is %1").arg(m.editorEnabled ? "disabled" : "enabled");
    return QString();
}

} // namespace

QString checkInvariants(World& world)
{
    const LibraryModel& m = world.model;
    const QString why = first(
        {world.failure, compareFiles("library", m.files(), filesBelow(world.app.file(kLib)))});
    if (!why.isEmpty() || !world.window)
        return why;
    for (const auto& [what, lines] : {qMakePair(QString("the tree"), treeLines(*world.window)),
                                      qMakePair(QString("sys.db"), tableLines())}) {
        if (lines != m.treeLines())
            return QString("%1 shows [%2], expected [%3]")
                .arg(what, lines.join(" | "), m.treeLines().join(" | "));
    }
    for (const auto check : {checkEditor, checkBoxes, checkBin, checkBackups, checkWriting,
                             checkCountCache, checkOutside}) {
        if (const QString why = check(world); !why.isEmpty())
            return why;
    }
    return QString();
}

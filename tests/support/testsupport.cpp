#include "support/testsupport.h"

#include "app/appdirs.h"
#include "app/messages.h"
#include "library/sqliteoper.h"
#include "resources/resources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QWindow>

namespace {
FakeDesktopServices* g_services = nullptr;
RecordingSoundPlayer* g_sounds = nullptr;
} // namespace

TestAppDir::TestAppDir()
{
    Resources::init();
    AppDirs::setRoot(m_dir.path());
    Messages::setPresenter([this](const QString& text, int kind) {
        messages.append({kind, text});
        return kind == Messages::Question ? questionAnswer : 1;
    });
    g_services = new FakeDesktopServices;
    Platform::install(g_services);
    g_sounds = new RecordingSoundPlayer;
    Sounds::install(g_sounds);
}

TestAppDir::~TestAppDir()
{
    SqliteOper::closeDatabase();
    Messages::setPresenter({});
    AppDirs::setRoot(QString());
}

FakeGlobalShortcut::~FakeGlobalShortcut()
{
    if (g_services)
        --g_services->liveShortcuts;
}

bool FakeDesktopServices::requestPower(PowerAction action)
{
    calls << (action == PowerAction::PowerOff ? "power:off" : "power:reboot");
    if (onPower)
        onPower(action);
    return true;
}

std::unique_ptr<GlobalShortcut> FakeDesktopServices::createGlobalShortcut(const QKeySequence& key,
                                                                          QObject* parent)
{
    calls << "shortcut:" + key.toString();
    ++liveShortcuts;
    return std::make_unique<FakeGlobalShortcut>(parent);
}

bool FakeDesktopServices::setWindowKeyboardGrab(QWindow* window, bool grab)
{
    if (!grab) {
        grabHeld = false;
        calls << "grab:release";
        return true;
    }
    if (!window || !window->isVisible())
        return false;
    if (grabRefusalsLeft > 0) {
        --grabRefusalsLeft;
        return false;
    }
    grabHeld = true;
    calls << "grab:take";
    return true;
}

FakeDesktopServices& fakeServices() { return *g_services; }
RecordingSoundPlayer& fakeSounds() { return *g_sounds; }

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QAction* menuEntry(QMenu* menu, const QString& text)
{
    const std::function<QAction*(QMenu*)> find = [&](QMenu* m) -> QAction* {
        for (QAction* action : m->actions()) {
            if (QAction* found = action->text() == text ? action
                                 : action->menu()       ? find(action->menu())
                                                        : nullptr)
                return found;
        }
        return nullptr;
    };
    QAction* found = find(menu);
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no menu entry %1").arg(text)), __FILE__, __LINE__);
    return found;
}

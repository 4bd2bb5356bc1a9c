#include "editor/editorkeys.h"

#include <QtTest>

using EditorKeys::Action;
using EditorKeys::Target;

Q_DECLARE_METATYPE(EditorKeys::Action)
Q_DECLARE_METATYPE(EditorKeys::Target)

class TstEditorKeys : public QObject
{
    Q_OBJECT
private slots:
    void table_data();
    void table();
};

void TstEditorKeys::table_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("consumed");

    const int press = QEvent::KeyPress;
    const int ctrl = Qt::ControlModifier;
    const int none = Qt::NoModifier;
    auto editor = [&](const char* name, int key, int mods, Action a, bool consumed) {
        QTest::newRow(name) << Target::Editor << press << key << mods << false << false << a << consumed;
    };
    editor("keypad Enter", Qt::Key_Enter, int(Qt::KeypadModifier), Action::EnterTypesetting, true);
    editor("Shift+Return", Qt::Key_Return, int(Qt::ShiftModifier), Action::EnterTypesetting, true);
    editor("Ctrl+Shift+S", Qt::Key_S, ctrl | Qt::ShiftModifier, Action::Save, true);
    editor("Ctrl and keypad plus", Qt::Key_Plus, ctrl | Qt::KeypadModifier, Action::FontBigger, true);
    editor("Ctrl+= is not plus", Qt::Key_Equal, ctrl, Action::None, false);
    editor("Ctrl+Y reaches the editor", Qt::Key_Y, ctrl, Action::None, false);

    QTest::newRow("editor focus out saves, focus moves on")
        << Target::Editor << int(QEvent::FocusOut) << 0 << none << false << false
        << Action::SaveOnFocusOut << false;
    QTest::newRow("Escape in full screen")
        << Target::Window << press << int(Qt::Key_Escape) << none << true << false
        << Action::LeaveFullScreen << true;
    QTest::newRow("Escape in full screen during a lock")
        << Target::Window << press << int(Qt::Key_Escape) << none << true << true << Action::None
        << false;
    QTest::newRow("Escape in a normal window")
        << Target::Window << press << int(Qt::Key_Escape) << none << false << false << Action::None
        << false;
    QTest::newRow("title bar double click")
        << Target::TitleBar << int(QEvent::MouseButtonDblClick) << 0 << none << false << false
        << Action::ToggleMaximise << true;
    QTest::newRow("title bar double click during a lock")
        << Target::TitleBar << int(QEvent::MouseButtonDblClick) << 0 << none << true << true
        << Action::None << false;
    QTest::newRow("Return in the tree")
        << Target::Other << press << int(Qt::Key_Return) << none << false << false << Action::None
        << false;
}

void TstEditorKeys::table()
{
    QFETCH(Target, target);
    QFETCH(int, type);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, fullScreen);
    QFETCH(bool, locked);
    QFETCH(Action, action);
    QFETCH(bool, consumed);
    const Action got = EditorKeys::action(target, QEvent::Type(type), key,
                                          Qt::KeyboardModifiers(modifiers), fullScreen, locked);
    QCOMPARE(int(got), int(action));
    QCOMPARE(EditorKeys::consumes(got), consumed);
}

QTEST_GUILESS_MAIN(TstEditorKeys)
#include "tst_editorkeys.moc"

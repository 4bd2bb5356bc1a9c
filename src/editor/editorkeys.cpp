#include "editor/editorkeys.h"

namespace EditorKeys {

namespace {

Action editorKey(int key, Qt::KeyboardModifiers modifiers)
{
    // Every modifier is ignored for Return: Shift+Return must not slip a bare line break in.
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return Action::EnterTypesetting;
    if (!(modifiers & Qt::ControlModifier))
        return Action::None;
    switch (key) {
    case Qt::Key_S:
        return Action::Save;
    case Qt::Key_Z:
        return Action::Undo;
    case Qt::Key_C:
        return Action::Copy;
    case Qt::Key_V:
        return Action::Paste;
    case Qt::Key_A:
        return Action::SelectAll;
    case Qt::Key_B:
        return Action::Bold;
    case Qt::Key_L:
        return Action::AlignLeft;
    case Qt::Key_R:
        return Action::AlignRight;
    case Qt::Key_M:
        return Action::Centre;
    case Qt::Key_Plus:
        return Action::FontBigger;
    case Qt::Key_Minus:
        return Action::FontSmaller;
    default:
        return Action::None;
    }
}

} // namespace

Action action(Target target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
              bool fullScreen, bool lockActive)
{
    switch (target) {
    case Target::Editor:
        if (type == QEvent::KeyPress)
            return editorKey(key, modifiers);
        if (type == QEvent::FocusOut)
            return Action::SaveOnFocusOut;
        return Action::None;
    case Target::Window:
        if (type == QEvent::KeyPress && key == Qt::Key_Escape && fullScreen && !lockActive)
            return Action::LeaveFullScreen;
        return Action::None;
    case Target::TitleBar:
        if (type == QEvent::MouseButtonDblClick && !lockActive)
            return Action::ToggleMaximise;
        return Action::None;
    case Target::Other:
        break;
    }
    return Action::None;
}

bool consumes(Action action) { return action != Action::None && action != Action::SaveOnFocusOut; }

} // namespace EditorKeys

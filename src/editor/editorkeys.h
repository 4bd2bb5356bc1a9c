#pragma once

#include <QEvent>
#include <Qt>

// The main window's key and mouse table: which event on which object does what. The event
// filter only dispatches on the answer, so the table can be checked without widgets.
namespace EditorKeys {

enum class Target { Editor, Window, TitleBar, Other };

enum class Action {
    None,
    EnterTypesetting,
    Save,
    Undo,
    Copy,
    Paste,
    SelectAll,
    Bold,
    AlignLeft,
    AlignRight,
    Centre,
    FontBigger,
    FontSmaller,
    SaveOnFocusOut,
    LeaveFullScreen,
    ToggleMaximise,
};

// `key` and `modifiers` matter for key presses only.
Action action(Target target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
              bool fullScreen, bool lockActive);

// Whether the event stops here; focus loss saves but lets the focus change proceed.
bool consumes(Action action);

} // namespace EditorKeys

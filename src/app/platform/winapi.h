#pragma once

// The Win32 calls of the Windows desktop services, kept apart so that this pair needs
// nothing but <windows.h> and can be syntax-checked on any machine with a MinGW compiler.
namespace WinApi {

// Called on the GUI thread for every key event of the desktop; returning true drops the
// event for every program.
using KeyHandler = bool (*)(void* context, unsigned long vk, bool altHeld);

bool installKeyboardHook(KeyHandler handler, void* context);
void removeKeyboardHook();

// The taskbar window ("Shell_TrayWnd"), or null.
void* findTaskbar();
// Hides or shows the given taskbar window; a null handle does nothing.
void showTaskbar(void* taskbar, bool visible);

// Enables the shutdown privilege and ends the session: every program is ended without
// being asked. False when the privilege could not be enabled or Windows refused.
bool exitWindows(bool reboot);

// Hotkeys owned by the GUI thread; `modifiers` are MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4,
// MOD_WIN 8. The message of a pressed hotkey carries its id.
bool registerHotKey(int id, unsigned modifiers, unsigned vk);
bool unregisterHotKey(int id);
// The hotkey id a native message announces, or -1.
int hotKeyIdOf(const void* message);

} // namespace WinApi

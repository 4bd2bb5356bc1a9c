#include "app/platform/winapi.h"

#include <windows.h>

namespace {

HHOOK keyboardHook = nullptr;
WinApi::KeyHandler keyHandler = nullptr;
void* keyHandlerContext = nullptr;

LRESULT CALLBACK keyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode != HC_ACTION || !keyHandler)
        return CallNextHookEx(keyboardHook, nCode, wParam, lParam);
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool altHeld = (info->flags & LLKHF_ALTDOWN) != 0;
    if (keyHandler(keyHandlerContext, info->vkCode, altHeld))
        return 1;
    return CallNextHookEx(keyboardHook, nCode, wParam, lParam);
}

} // namespace

namespace WinApi {

bool installKeyboardHook(KeyHandler handler, void* context)
{
    keyHandler = handler;
    keyHandlerContext = context;
    if (!keyboardHook)
        keyboardHook =
            SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHookProc, GetModuleHandleW(nullptr), 0);
    return keyboardHook != nullptr;
}

void removeKeyboardHook()
{
    if (keyboardHook)
        UnhookWindowsHookEx(keyboardHook);
    keyboardHook = nullptr;
    keyHandler = nullptr;
    keyHandlerContext = nullptr;
}

void* findTaskbar() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

void showTaskbar(void* taskbar, bool visible)
{
    if (taskbar)
        ShowWindow(static_cast<HWND>(taskbar), visible ? SW_SHOW : SW_HIDE);
}

bool exitWindows(bool reboot)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    const bool found =
        LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    if (found)
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    // AdjustTokenPrivileges succeeds even when it enabled nothing; only the last error tells.
    const bool granted = found && GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    if (!granted)
        return false;
    if (reboot)
        return ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0x80020003) != 0;
    return ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE, 0) != 0;
}

bool registerHotKey(int id, unsigned modifiers, unsigned vk)
{
    return RegisterHotKey(nullptr, id, modifiers, vk) != 0;
}

bool unregisterHotKey(int id) { return UnregisterHotKey(nullptr, id) != 0; }

int hotKeyIdOf(const void* message)
{
    const auto* msg = static_cast<const MSG*>(message);
    return msg->message == WM_HOTKEY ? int(msg->wParam) : -1;
}

} // namespace WinApi

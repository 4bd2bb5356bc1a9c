#include "app/platform/x11globalshortcut.h"

#include "app/logcategories.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSet>
#include <QX11Info>

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include <array>
#include <cstdlib>
#include <memory>

namespace {

constexpr quint32 kNumLockKeysym = XK_Num_Lock;
constexpr quint16 kCapsLockMask = XCB_MOD_MASK_LOCK;
// The modifiers a hotkey may carry; lock states are ignored when matching.
constexpr quint16 kHotkeyModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

// The key is grabbed once for every state of CapsLock and NumLock.
std::array<quint16, 4> lockVariants(quint16 numLockMask)
{
    return {0, kCapsLockMask, numLockMask, quint16(kCapsLockMask | numLockMask)};
}

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

// One process holds one grab per key and modifiers: X would let a second grab of the same
// client silently replace the first, and releasing either would drop both.
QSet<quint32>& grabbedKeys()
{
    static QSet<quint32> keys;
    return keys;
}

quint32 keysymFor(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35)
        return XK_F1 + quint32(qtKey - Qt::Key_F1);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return XK_a + quint32(qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return XK_0 + quint32(qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Space:
        return XK_space;
    case Qt::Key_Escape:
        return XK_Escape;
    case Qt::Key_Tab:
        return XK_Tab;
    case Qt::Key_Return:
        return XK_Return;
    case Qt::Key_Pause:
        return XK_Pause;
    case Qt::Key_Print:
        return XK_Print;
    case Qt::Key_Insert:
        return XK_Insert;
    case Qt::Key_Delete:
        return XK_Delete;
    case Qt::Key_Home:
        return XK_Home;
    case Qt::Key_End:
        return XK_End;
    case Qt::Key_PageUp:
        return XK_Page_Up;
    case Qt::Key_PageDown:
        return XK_Page_Down;
    default:
        return 0;
    }
}

quint16 modifierMaskFor(int qtModifiers)
{
    quint16 mask = 0;
    if (qtModifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (qtModifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (qtModifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (qtModifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

// The keycodes that carry `keysym` on any level, best match (first level) first.
QVector<quint8> keycodesFor(xcb_connection_t* c, quint32 keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Reply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, quint8(count)), nullptr));
    QVector<quint8> found;
    if (!reply)
        return found;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int perCode = reply->keysyms_per_keycode;
    for (int level = 0; level < perCode; ++level)
        for (int i = 0; i < count; ++i) {
            const quint8 code = quint8(setup->min_keycode + i);
            if (syms[i * perCode + level] == keysym && !found.contains(code))
                found.append(code);
        }
    return found;
}

// The modifier bit NumLock is bound to (Mod2 on nearly every keymap).
quint16 numLockMask(xcb_connection_t* c)
{
    const QVector<quint8> numLock = keycodesFor(c, kNumLockKeysym);
    Reply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    if (!reply)
        return XCB_MOD_MASK_2;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int mod = 0; mod < 8; ++mod)
        for (int i = 0; i < perModifier; ++i)
            if (codes[mod * perModifier + i] && numLock.contains(codes[mod * perModifier + i]))
                return quint16(1u << mod);
    return XCB_MOD_MASK_2;
}

} // namespace

X11GlobalShortcut::X11GlobalShortcut(const QKeySequence& key, QObject* parent)
    : GlobalShortcut(parent), m_key(key)
{
    m_registered = grab();
    if (!m_registered) {
        qCWarning(lcPlatform).noquote()
            << "QxtGlobalShortcut failed to register:" << m_key.toString();
        return;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalShortcut::~X11GlobalShortcut()
{
    if (!m_registered)
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    if (!ungrab())
        qCWarning(lcPlatform).noquote()
            << "QxtGlobalShortcut failed to unregister:" << m_key.toString();
}

bool X11GlobalShortcut::grab()
{
    xcb_connection_t* c = QX11Info::connection();
    if (!c || m_key.isEmpty())
        return false;
    const int combined = m_key[0];
    const quint32 keysym = keysymFor(combined & ~int(Qt::KeyboardModifierMask));
    const QVector<quint8> codes = keysym ? keycodesFor(c, keysym) : QVector<quint8>();
    if (codes.isEmpty())
        return false;
    m_keycode = codes.first();
    m_modifiers = modifierMaskFor(combined & int(Qt::KeyboardModifierMask));
    const quint32 id = quint32(m_keycode) << 16 | m_modifiers;
    if (grabbedKeys().contains(id))
        return false;
    m_numLockMask = numLockMask(c);

    const xcb_window_t root = QX11Info::appRootWindow();
    bool ok = true;
    for (quint16 lock : lockVariants(m_numLockMask)) {
        xcb_generic_error_t* error =
            xcb_request_check(c, xcb_grab_key_checked(c, 0, root, m_modifiers | lock, m_keycode,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        if (error) {
            ok = false;
            std::free(error);
            break;
        }
    }
    if (!ok) {
        // Release the variants taken before the one another program holds.
        ungrab();
        return false;
    }
    grabbedKeys().insert(id);
    return true;
}

bool X11GlobalShortcut::ungrab()
{
    xcb_connection_t* c = QX11Info::connection();
    if (!c)
        return false;
    grabbedKeys().remove(quint32(m_keycode) << 16 | m_modifiers);
    const xcb_window_t root = QX11Info::appRootWindow();
    bool ok = true;
    for (quint16 lock : lockVariants(m_numLockMask)) {
        xcb_generic_error_t* error =
            xcb_request_check(c, xcb_ungrab_key_checked(c, m_keycode, root, m_modifiers | lock));
        if (error) {
            ok = false;
            std::free(error);
        }
    }
    return ok;
}

bool X11GlobalShortcut::nativeEventFilter(const QByteArray& eventType, void* message, long*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const int type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    // The grab reports its keys on the root window, even while a window of ours has the
    // focus; the same key typed into our window without the grab is no hotkey.
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (key->event != QX11Info::appRootWindow() || key->detail != m_keycode ||
        (key->state & kHotkeyModifiers) != m_modifiers)
        return false;
    if (type == XCB_KEY_PRESS)
        emit activated();
    return true;
}

#include "app/platform/x11keyrecorder.h"

#include "app/logcategories.h"

#include <QDebug>
#include <QSocketNotifier>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>

// Recording needs two connections: `control` creates the context and looks up keysyms,
// `data` is handed to the server for the recorded stream and may issue no other request.
struct X11KeyRecorder::Private {
    QByteArray displayName;
    Handler handler;
    Display* control = nullptr;
    Display* data = nullptr;
    XRecordContext context = 0;
    int xkbEventBase = 0;
    QSocketNotifier* dataNotifier = nullptr;
    QSocketNotifier* controlNotifier = nullptr;

    static void intercept(XPointer closure, XRecordInterceptData* recorded);
    void drainControlEvents();
    void close();
};

void X11KeyRecorder::Private::intercept(XPointer closure, XRecordInterceptData* recorded)
{
    auto* self = reinterpret_cast<Private*>(closure);
    if (recorded->category == XRecordFromServer && recorded->data_len > 0) {
        const auto* event = reinterpret_cast<const xEvent*>(recorded->data);
        const int type = event->u.u.type & 0x7f;
        if (type == KeyPress || type == KeyRelease) {
            const KeyCode code = event->u.u.detail;
            const KeySym level1 = XkbKeycodeToKeysym(self->control, code, 0, 0);
            const KeySym level2 = XkbKeycodeToKeysym(self->control, code, 0, 1);
            self->handler(quint32(level1), quint32(level2), type == KeyPress);
        }
    }
    XRecordFreeData(recorded);
}

// Reading the control connection's XKB notifications lets Xlib refresh its copy of the
// keymap when the user switches layouts.
void X11KeyRecorder::Private::drainControlEvents()
{
    while (XPending(control) > 0) {
        XEvent event;
        XNextEvent(control, &event);
        if (event.type == xkbEventBase)
            XkbRefreshKeyboardMapping(reinterpret_cast<XkbMapNotifyEvent*>(&event));
    }
}

void X11KeyRecorder::Private::close()
{
    delete dataNotifier;
    dataNotifier = nullptr;
    delete controlNotifier;
    controlNotifier = nullptr;
    if (control && context) {
        XRecordDisableContext(control, context);
        XRecordFreeContext(control, context);
        XSync(control, False);
    }
    context = 0;
    if (data)
        XCloseDisplay(data);
    data = nullptr;
    if (control)
        XCloseDisplay(control);
    control = nullptr;
}

X11KeyRecorder::X11KeyRecorder(const QByteArray& displayName, Handler handler, QObject* parent)
    : QObject(parent), d(new Private)
{
    d->displayName = displayName;
    d->handler = std::move(handler);
}

X11KeyRecorder::~X11KeyRecorder() { stop(); }

bool X11KeyRecorder::isRecording() const { return d->context != 0; }

bool X11KeyRecorder::start()
{
    if (isRecording())
        return true;
    const char* name = d->displayName.isEmpty() ? nullptr : d->displayName.constData();
    d->control = XOpenDisplay(name);
    d->data = XOpenDisplay(name);
    int major = 0, minor = 0;
    if (!d->control || !d->data || !XRecordQueryVersion(d->control, &major, &minor)) {
        qCDebug(lcPlatform) << "X RECORD extension not available: no key sounds";
        d->close();
        return false;
    }

    int opcode = 0, error = 0;
    int xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    if (XkbQueryExtension(d->control, &opcode, &d->xkbEventBase, &error, &xkbMajor, &xkbMinor))
        XkbSelectEvents(d->control, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                        XkbNewKeyboardNotifyMask | XkbMapNotifyMask);

    XRecordClientSpec clients = XRecordAllClients;
    XRecordRange* range = XRecordAllocRange();
    range->device_events.first = KeyPress;
    range->device_events.last = KeyRelease;
    d->context = XRecordCreateContext(d->control, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(d->control, False);
    if (!d->context || !XRecordEnableContextAsync(d->data, d->context, &Private::intercept,
                                                  reinterpret_cast<XPointer>(d.get()))) {
        qCDebug(lcPlatform) << "X RECORD context refused: no key sounds";
        d->close();
        return false;
    }

    d->dataNotifier = new QSocketNotifier(ConnectionNumber(d->data), QSocketNotifier::Read, this);
    connect(d->dataNotifier, &QSocketNotifier::activated, this,
            [this] { XRecordProcessReplies(d->data); });
    d->controlNotifier =
        new QSocketNotifier(ConnectionNumber(d->control), QSocketNotifier::Read, this);
    connect(d->controlNotifier, &QSocketNotifier::activated, this,
            [this] { d->drainControlEvents(); });
    // Replies that arrived while the context was being enabled are already buffered.
    XRecordProcessReplies(d->data);
    d->drainControlEvents();
    return true;
}

void X11KeyRecorder::stop() { d->close(); }

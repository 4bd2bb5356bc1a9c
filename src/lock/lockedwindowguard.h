#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// Keeps a locked window in front of the author and the keyboard with it. While active, the
// keys a locked desktop swallows (Esc with any modifiers, Alt+Tab, Alt+F4, the Super keys)
// never reach a widget of the program, and a window the window system minimises or hides
// (a pager, a taskbar) comes back full screen at once. Where the desktop's hook can only
// listen (X11), the window also holds an active keyboard grab, so the window manager never
// sees those keys either: a grab asked for before the window is viewable fails, so it is
// retried on a short timer until it holds, and taken back whenever the window is shown again
// or a popup, which takes the keyboard for itself and drops it on closing, goes away. A crash
// ends the grab with the connection.
class LockedWindowGuard : public QObject
{
    Q_OBJECT
public:
    explicit LockedWindowGuard(QWidget* window, QObject* parent = nullptr);
    ~LockedWindowGuard() override;

    void start();
    void stop();
    bool isActive() const { return m_active; }
    bool holdsGrab() const { return m_held; }

    static constexpr int RetryMs = 50;
    static bool swallows(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void grabAgainSoon();
    void bringBack();
    void tryGrab();
    void release();

    QPointer<QWidget> m_window;
    QTimer m_retry;
    bool m_active = false;
    bool m_held = false;
};

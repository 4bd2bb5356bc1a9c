#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the requests of the session to end the program (SIGTERM at logout or shutdown,
// SIGHUP when the terminal goes, SIGINT from Ctrl+C) into a signal on the GUI thread, so
// the program can end in its orderly way and save the open text instead of dying with it.
// One watcher at a time; destroying it restores the previous handlers.
class TerminationWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

    // False when the platform offers no such requests or the handlers could not be set.
    bool isActive() const { return m_active; }

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    bool m_active = false;
    QSocketNotifier* m_notifier = nullptr;
};

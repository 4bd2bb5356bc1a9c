#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTimer;
class QWidget;
class WinLock;

// The writing lock: whether one runs, its goal (minutes on a timer, or characters still to
// write counted once a second), and the desktop measures taken for it. A goal is accepted
// only within the lock window's own ranges, so no typed number can make a lock that never
// ends. The catalog credits the characters written in a chapter the author leaves.
class WritingLock : public QObject
{
    Q_OBJECT
public:
    enum Kind : qint8 { ByCharacters = 1, ByMinutes = 2 };
    static constexpr int MaxCharacters = 20000;
    static constexpr int MaxMinutes = 2000;

    // The timer interval of a goal as typed, or -1 when it is not a number in range (an
    // interval of 0 is a character goal, which is counted by ticks instead).
    static qint64 goalInterval(qint8 kind, const QString& amount);

    // `window` is the window that the lock holds; `charCount` gives the editor's count.
    WritingLock(QWidget* window, std::function<int()> charCount, QObject* parent = nullptr);

    bool isActive() const { return m_active; }
    // Starts a lock; false, with nothing changed, when the goal is out of range.
    bool start(qint8 kind, const QString& amount);
    // The minutes are up.
    void timeUp();
    // The once-a-second count of a character lock.
    void countTick();
    // The author leaves a chapter whose text now has `count` characters: what was written in
    // it since the last count is credited, and `count` is the new base.
    void credit(int count);
    // A chapter with `count` characters was opened: counting starts from there.
    void rebase(int count) { m_base = count; }

signals:
    void ended();

private:
    void end();

    std::function<int()> m_charCount;
    WinLock* m_winLock;
    QTimer* m_timeTimer;
    QTimer* m_wordTimer;
    bool m_active = false;
    int m_remaining = 0;
    int m_base = 0;
};

#include "lock/writinglock.h"

#include "app/logcategories.h"
#include "editor/charcount.h"
#include "lock/winlock.h"
#include "lock/wordlockprogress.h"

#include <QTimer>

qint64 WritingLock::goalInterval(qint8 kind, const QString& amount)
{
    bool ok = false;
    // 64 bits, so that no number, however long, wraps into a range that looks valid.
    const qint64 value = amount.toLongLong(&ok);
    if (!ok || value < 0)
        return -1;
    if (kind == ByCharacters)
        return value <= MaxCharacters ? 0 : -1;
    if (kind == ByMinutes)
        return value <= MaxMinutes ? value * 60000 : -1;
    return -1;
}

WritingLock::WritingLock(QWidget* window, std::function<int()> charCount, QObject* parent)
    : QObject(parent), m_charCount(std::move(charCount))
{
    m_winLock = new WinLock(window);
    m_winLock->hide();
    m_timeTimer = new QTimer(this);
    m_wordTimer = new QTimer(this);
    m_timeTimer->setObjectName(QStringLiteral("timeLockTimer"));
    m_wordTimer->setObjectName(QStringLiteral("wordLockTimer"));
    connect(m_timeTimer, &QTimer::timeout, this, &WritingLock::timeUp);
    connect(m_wordTimer, &QTimer::timeout, this, &WritingLock::countTick);
}

bool WritingLock::start(qint8 kind, const QString& amount)
{
    const qint64 interval = goalInterval(kind, amount);
    if (interval < 0) {
        qCInfo(lcLock).noquote() << "goal out of range, no lock:" << kind << amount;
        return false;
    }
    if (kind == ByCharacters) {
        m_remaining = amount.toInt();
        m_base = m_charCount();
        m_wordTimer->start(1000);
    } else {
        m_timeTimer->start(int(interval));
    }
    m_winLock->lockDesktop();
    m_active = true;
    return true;
}

void WritingLock::timeUp() { end(); }

void WritingLock::countTick()
{
    if (WordLockProgress::tick(m_charCount(), m_remaining, m_base))
        end();
}

void WritingLock::credit(int count)
{
    m_remaining -= charsGainedSince(m_base, count);
    m_base = count;
}

void WritingLock::end()
{
    m_winLock->unlockDesktop();
    m_active = false;
    m_timeTimer->stop();
    m_wordTimer->stop();
    emit ended();
}

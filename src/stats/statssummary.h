#pragma once

#include "stats/writinglog.h"

#include <QVector>

// The figures of one stretch of days.
struct PeriodFigures {
    int added = 0;
    int removed = 0;
    int minutes = 0;

    int net() const { return added - removed; }
    // Net characters per hour of active time; 0 without active time.
    int perHour() const { return minutes > 0 ? net() * 60 / minutes : 0; }
};

// What the statistics window shows, computed from the stored log (one book's rows or all).
struct StatsSummary {
    PeriodFigures today, week, month, all;
    // One entry per day, oldest first, days without writing included: the last 30 days for
    // the bar chart, and whole weeks (Monday first) covering the last 12 months for the map.
    QVector<DayEntry> lastDays;
    QVector<DayEntry> calendar;
    // Runs of days whose net reached the goal. The current run ends today, or yesterday
    // while today's goal is still open.
    int currentStreak = 0;
    int longestStreak = 0;

    static StatsSummary compute(const QVector<DayEntry>& rows, const QDate& today, int goal);
};

#pragma once

#include <QString>

// The status bar's "今日:net/goal" label: the theme's text colour below the goal, the count
// label's red once the goal is reached.
struct GoalDisplay {
    QString label;
    QString styleSheet;

    static GoalDisplay compute(int todayNet, int goal, const QString& textColour);
};

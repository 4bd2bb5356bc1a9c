#include "stats/dailygoal.h"

#include <QCoreApplication>

GoalDisplay GoalDisplay::compute(int todayNet, int goal, const QString& textColour)
{
    GoalDisplay d;
    d.label = QCoreApplication::translate("MainWindow", "今日:%1/%2").arg(todayNet).arg(goal);
    d.styleSheet = todayNet >= goal ? QStringLiteral("color : red;")
                                    : QStringLiteral("color : ") + textColour + QLatin1Char(';');
    return d;
}

#include "editor/countdisplay.h"

#include <QCoreApplication>

CountDisplay CountDisplay::compute(int count, const QString& priceText, const QString& targetText,
                                   const QString& textColour, bool& soundPlayed)
{
    // Float on purpose: the royalty is rounded from the same single-precision product the
    // author has always seen.
    const float c = float(count);
    const float price = priceText.toFloat();
    const float target = targetText.toFloat();

    CountDisplay d;
    if (c >= target) {
        d.styleSheet = QStringLiteral("color : red;");
        d.playSound = !soundPlayed;
        soundPlayed = true;
    } else {
        d.styleSheet = QStringLiteral("color : ") + textColour + QLatin1Char(';');
        soundPlayed = false;
    }
    d.label = labelText(c, price);
    return d;
}

QString CountDisplay::labelText(float count, float price)
{
    const float royalty = count / 1000 * price;
    return QCoreApplication::translate("MainWindow", "总字数:") + QString::number(count, 'g', 6) +
           QCoreApplication::translate("MainWindow", "\t稿费:") + QString::number(royalty, 'f', 2);
}

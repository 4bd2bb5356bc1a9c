#include "settings/previewstyle.h"

namespace PreviewStyle {

QString background(const QString& bgColour, const QString& imagePath)
{
    return QStringLiteral("background-color : ") + bgColour +
           QStringLiteral(";border-image : url(") + imagePath + QStringLiteral(");border :0px;");
}

QString text(const QString& leftMargin, const QString& rightMargin, const QString& textColour)
{
    const int left = leftMargin.toInt() / 5;
    const int right = rightMargin.toInt() / 5;
    return QStringLiteral("margin-left :") + QString::number(left) +
           QStringLiteral("px;margin-right :") + QString::number(right) +
           QStringLiteral("px;color : ") + textColour + QStringLiteral(";border :0px;");
}

QString themeButton(const QString& bgColour, const QString& textColour)
{
    return QStringLiteral("background-color : %1;color : %2;").arg(bgColour, textColour);
}

QString selectedThemeButton() { return QStringLiteral("border-image: url(:/icon/select);"); }

QString storedFontSize(const QString& typed)
{
    return typed.toInt() <= 7 ? QStringLiteral("8") : typed;
}

bool previewFontSize(const QString& typed, int* points)
{
    const int n = typed.toInt();
    if (n <= 7 || n > 36)
        return false;
    *points = n;
    return true;
}

} // namespace PreviewStyle

#pragma once

#include <QString>

// The texts the settings dialog derives from its fields: the preview's sheets (the editor
// margins shown at one fifth), the theme buttons' sheets and the stored font size.
namespace PreviewStyle {

QString background(const QString& bgColour, const QString& imagePath);
QString text(const QString& leftMargin, const QString& rightMargin, const QString& textColour);
QString themeButton(const QString& bgColour, const QString& textColour);
QString selectedThemeButton();

// Sizes the editor cannot use (empty, or below 8) are stored as "8".
QString storedFontSize(const QString& typed);

// Whether a typed size is one the preview applies.
bool previewFontSize(const QString& typed, int* points);

} // namespace PreviewStyle

#pragma once

#include <QString>

class QWidget;

// Gives `widget` the style sheet `sheet` at once unless it is hidden; a hidden widget gets
// the last sheet it was given just before it shows. A sheet polishes every widget inside its
// widget again, and for the hidden format row, with its font boxes and their lists, that was
// a twelfth of a start spent on something nobody sees.
void setStyleSheetWhenShown(QWidget* widget, const QString& sheet);

#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The icon row's pictures are drawn in one ink; a theme gives them its own text colour, so
// they stay visible on a dark window. Every pixel takes `ink` and keeps its own alpha.
QIcon inkIcon(const QString& resource, const QColor& ink);

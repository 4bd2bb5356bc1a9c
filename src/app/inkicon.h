#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The icon row's pictures are drawn in one ink; a theme gives them its own text colour, so
// they stay visible on a dark window. Every pixel takes `ink` and keeps its own alpha.
QIcon inkIcon(const QString& resource, const QColor& ink);

// One of the program's own pictures as it is. Their resource names have no suffix, and for
// such a name QIcon looks the type up in the MIME database and tries every image plugin,
// several milliseconds of a start; the pictures are PNG, so they are read as PNG.
QIcon pictureIcon(const QString& resource);

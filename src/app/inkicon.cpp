#include "app/inkicon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

QIcon inkIcon(const QString& resource, const QColor& ink)
{
    QImage image(resource);
    if (image.isNull() || !ink.isValid())
        return QIcon(resource);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), ink);
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

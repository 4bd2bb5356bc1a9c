#include "app/inkicon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

QIcon pictureIcon(const QString& resource)
{
    const QImage image(resource, "PNG");
    return image.isNull() ? QIcon(resource) : QIcon(QPixmap::fromImage(image));
}

QIcon inkIcon(const QString& resource, const QColor& ink)
{
    QImage image(resource, "PNG");
    if (image.isNull() || !ink.isValid())
        return pictureIcon(resource);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), ink);
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

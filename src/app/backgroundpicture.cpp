#include "app/backgroundpicture.h"

const QPixmap& BackgroundPicture::scaled(const QString& path, const QSize& size)
{
    if (!loadTried || path != loadedPath) {
        loadTried = true;
        loadedPath = path;
        loaded = QPixmap(path);
        stretched = QPixmap();
    }
    if (!loaded.isNull() && stretched.size() != size)
        stretched = loaded.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return stretched;
}

#pragma once

#include <QObject>
#include <QPixmap>
#include <QSize>
#include <QString>

// The theme's background picture, stretched to the window. Painting happens on every
// expose and every keystroke that scrolls, so the picture is read from disk only when its
// path changes and rescaled only when the path or the window size changes.
class BackgroundPicture : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The picture at `path` scaled to `size` ignoring its aspect ratio, fast scaling; a
    // null pixmap when it cannot be loaded.
    const QPixmap& scaled(const QString& path, const QSize& size);
    // Reads the picture again at the next paint: the file may have been replaced at the same
    // path, or put there after a paint found it missing.
    void forget() { loadTried = false; }

private:
    QString loadedPath;
    QPixmap loaded;
    QPixmap stretched;
    bool loadTried = false;
};

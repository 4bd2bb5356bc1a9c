#pragma once

#include <QFont>
#include <QObject>

class QLabel;
class QPushButton;
class QToolButton;

// The process-wide holder of the icon font (Font Awesome 4 code points, compiled in as
// ":/image/fontawesome-webfont"): puts one glyph of it on a label or button.
class IconHelper : public QObject
{
    Q_OBJECT
public:
    static IconHelper* instance();

    // Sets the font's point size to `size`, gives the widget that font and the glyph as text.
    void setIcon(QLabel* label, QChar glyph, int size);
    void setIcon(QPushButton* button, QChar glyph, int size);
    void setIcon(QToolButton* button, QChar glyph, int size);

    QString family() const { return iconFont.family(); }

private:
    explicit IconHelper(QObject* parent);

    QFont iconFont;
};

#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QVector>

class QMouseEvent;
class QWidget;

// Lets the user move a frameless window by dragging it and resize it at its borders and
// corners. It only watches the target's events and never consumes one.
class DragProxy : public QObject
{
    Q_OBJECT
public:
    // Hit regions in their fixed order; None is "no region".
    enum Region {
        Top,
        TopRight,
        Right,
        BottomRight,
        Bottom,
        BottomLeft,
        Left,
        TopLeft,
        Centre,
        None
    };

    explicit DragProxy(QWidget* target);
    ~DragProxy() override;

    void setBorderWidth(int top, int right, int bottom, int left);

    // The nine regions of a widget of `size` with these border widths, in Region order.
    static QVector<QRect> regionsFor(const QSize& size, int top, int right, int bottom, int left);
    // The first region containing `pos`, or None.
    static Region hitTest(const QVector<QRect>& regions, const QPoint& pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateRegions();
    void press(QMouseEvent* event);
    void move(QMouseEvent* event);
    void dragBy(int dx, int dy);
    void setCursorFor(Region r);
    void stopCursorTimer();

    QWidget* target;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int left = 0;
    QVector<QRect> regions;
    bool pressed = false;
    Region region = None;
    QPoint pressGlobal;
    QRect pressGeometry;
    int timerId = 0;
};

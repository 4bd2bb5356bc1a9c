#include "app/dragproxy.h"

#include <QCursor>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWidget>

DragProxy::DragProxy(QWidget* target) : QObject(target), target(target), regions(9)
{
    target->setMouseTracking(true);
    target->installEventFilter(this);
}

DragProxy::~DragProxy() { stopCursorTimer(); }

void DragProxy::setBorderWidth(int t, int r, int b, int l)
{
    top = t;
    right = r;
    bottom = b;
    left = l;
    updateRegions();
}

QVector<QRect> DragProxy::regionsFor(const QSize& size, int t, int r, int b, int l)
{
    const int w = size.width() - 1;
    const int h = size.height() - 1;
    auto box = [](int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2, y2)); };
    return {
        box(l, 0, w - r, t - 1),         box(w + 1 - r, 0, w, t - 1), box(w + 1 - r, t, w, h - b),
        box(w + 1 - r, h + 1 - b, w, h), box(l, h + 1 - b, w - r, h), box(0, h + 1 - b, l - 1, h),
        box(0, t, l - 1, h - b),         box(0, 0, l - 1, t - 1),     box(l, t, w - r, h - b)};
}

DragProxy::Region DragProxy::hitTest(const QVector<QRect>& regions, const QPoint& pos)
{
    for (int i = 0; i < regions.size(); ++i) {
        if (regions[i].contains(pos))
            return Region(i);
    }
    return None;
}

void DragProxy::updateRegions() { regions = regionsFor(target->size(), top, right, bottom, left); }

bool DragProxy::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != target)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            press(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseMove:
        move(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        pressed = false;
        region = None;
        target->setCursor(Qt::ArrowCursor);
        break;
    case QEvent::Leave:
        target->setCursor(Qt::ArrowCursor);
        stopCursorTimer();
        break;
    case QEvent::Timer:
        // The pointer may leave a border onto a child that reports no moves; the timer
        // puts the arrow back once the pointer is in the centre again.
        if (timerId != 0 && static_cast<QTimerEvent*>(event)->timerId() == timerId &&
            hitTest(regions, target->mapFromGlobal(QCursor::pos())) == Centre) {
            target->setCursor(Qt::ArrowCursor);
            stopCursorTimer();
        }
        break;
    case QEvent::Resize:
        updateRegions();
        break;
    default:
        break;
    }
    return false;
}

void DragProxy::press(QMouseEvent* event)
{
    pressed = true;
    region = hitTest(regions, event->pos());
    pressGlobal = event->globalPos();
    pressGeometry = target->geometry();
    stopCursorTimer();
}

void DragProxy::move(QMouseEvent* event)
{
    if (pressed) {
        const QPoint global = event->globalPos();
        dragBy(global.x() - pressGlobal.x(), global.y() - pressGlobal.y());
        return;
    }
    setCursorFor(hitTest(regions, event->localPos().toPoint()));
    stopCursorTimer();
    timerId = target->startTimer(50, Qt::CoarseTimer);
}

void DragProxy::dragBy(int dx, int dy)
{
    const int x = pressGeometry.x();
    const int y = pressGeometry.y();
    const int w = pressGeometry.width();
    const int h = pressGeometry.height();
    QRect next;
    switch (region) {
    case Centre:
        target->move(x + dx, y + dy);
        return;
    case Top:
        next = QRect(x, y + dy, w, h - dy);
        break;
    case TopRight:
        next = QRect(x, y + dy, w + dx, h - dy);
        break;
    case Right:
        next = QRect(x, y, w + dx, h);
        break;
    case BottomRight:
        next = QRect(x, y, w + dx, h + dy);
        break;
    case Bottom:
        next = QRect(x, y, w, h + dy);
        break;
    case BottomLeft:
        next = QRect(x + dx, y, w - dx, h + dy);
        break;
    case Left:
        next = QRect(x + dx, y, w - dx, h);
        break;
    case TopLeft:
        next = QRect(x + dx, y + dy, w - dx, h - dy);
        break;
    case None:
        return;
    }
    const QSize min = target->minimumSize();
    const QSize max = target->maximumSize();
    if (next.width() < min.width() || next.width() > max.width() || next.height() < min.height() ||
        next.height() > max.height())
        return;
    target->setGeometry(next);
}

void DragProxy::setCursorFor(Region r)
{
    switch (r) {
    case Top:
    case Bottom:
        target->setCursor(Qt::SizeVerCursor);
        break;
    case TopRight:
    case BottomLeft:
        target->setCursor(Qt::SizeBDiagCursor);
        break;
    case Right:
    case Left:
        target->setCursor(Qt::SizeHorCursor);
        break;
    case BottomRight:
    case TopLeft:
        target->setCursor(Qt::SizeFDiagCursor);
        break;
    case Centre:
    case None:
        target->setCursor(Qt::ArrowCursor);
        break;
    }
}

void DragProxy::stopCursorTimer()
{
    if (timerId != 0) {
        target->killTimer(timerId);
        timerId = 0;
    }
}

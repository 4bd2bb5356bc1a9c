#include "app/sheetonshow.h"

#include <QEvent>
#include <QWidget>

namespace {

const char kPendingName[] = "lorvane_pendingStyleSheet";

class PendingSheet : public QObject
{
public:
    explicit PendingSheet(QWidget* widget) : QObject(widget)
    {
        setObjectName(QLatin1String(kPendingName));
        widget->installEventFilter(this);
    }
    QString sheet;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* widget = static_cast<QWidget*>(watched);
            widget->removeEventFilter(this);
            widget->setStyleSheet(sheet);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void setStyleSheetWhenShown(QWidget* widget, const QString& sheet)
{
    auto* pending = static_cast<PendingSheet*>(
        widget->findChild<QObject*>(QLatin1String(kPendingName), Qt::FindDirectChildrenOnly));
    if (!widget->isHidden()) {
        delete pending;
        widget->setStyleSheet(sheet);
        return;
    }
    if (!pending)
        pending = new PendingSheet(widget);
    pending->sheet = sheet;
}

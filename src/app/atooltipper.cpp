#include "app/atooltipper.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QPixmap>
#include <QStyle>
#include <QTableView>
#include <QToolTip>
#include <QTreeView>

namespace {

QIcon decorationIcon(const QVariant& decoration)
{
    if (decoration.canConvert<QIcon>())
        return decoration.value<QIcon>();
    if (decoration.canConvert<QPixmap>())
        return QIcon(decoration.value<QPixmap>());
    return QIcon();
}

// Where the tip may stay: the item's rectangle in the view's own coordinates.
QRect tipRect(QAbstractItemView* view, QRect rect)
{
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        if (!tree->header()->isHidden())
            rect.translate(0, tree->header()->height());
    } else if (auto* table = qobject_cast<QTableView*>(view)) {
        rect.translate(table->verticalHeader()->width(), table->horizontalHeader()->height());
    }
    return rect;
}

} // namespace

AToolTipper::AToolTipper(QObject* parent) : QObject(parent) {}

bool AToolTipper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    auto* view = qobject_cast<QAbstractItemView*>(watched->parent());
    if (!view || qobject_cast<QHeaderView*>(view))
        return false;
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = view->indexAt(help->pos());
    if (!index.isValid())
        return false;

    const QString text = index.data(Qt::DisplayRole).toString();
    const QIcon icon = decorationIcon(index.data(Qt::DecorationRole));
    const QList<QSize> sizes = icon.availableSizes();
    const int iconWidth = sizes.isEmpty() ? 0 : sizes.first().width();

    const QRect item = view->visualRect(index);
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect space = item.adjusted(margin + iconWidth, 0, -margin, 0);
    int flags = index.data(Qt::TextAlignmentRole).toInt();
    if (flags == 0)
        flags = Qt::AlignLeft | Qt::AlignVCenter;
    if (view->property("wordWrap").toBool())
        flags |= Qt::TextWordWrap;
    const QRect needed = view->fontMetrics().boundingRect(space, flags, text);

    if (!text.isEmpty() && (needed.width() > space.width() || needed.height() > space.height())) {
        QToolTip::setPalette(QPalette(Qt::black, Qt::black));
        QToolTip::showText(help->globalPos(), text, view, tipRect(view, item));
    } else {
        QToolTip::hideText();
    }
    return true;
}

#include "search/hitdelegate.h"

#include <QApplication>
#include <QPainter>

void HitDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const
{
    const QVariant start = index.data(MatchStartRole);
    if (!start.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const int from = start.toInt();
    const int length = index.data(MatchLengthRole).toInt();
    const QString parts[3] = {text.left(from), text.mid(from, length), text.mid(from + length)};
    QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const QFontMetrics metrics(opt.font);
    painter->save();
    painter->setFont(opt.font);
    for (int i = 0; i < 3; ++i) {
        const int width = metrics.horizontalAdvance(parts[i]);
        const QRect piece(rect.left(), rect.top(), width, rect.height());
        if (i == 1)
            painter->fillRect(piece, QColor(255, 214, 102));
        painter->setPen(opt.palette.color(i == 1 ? QPalette::Active : QPalette::Current,
                                          (opt.state & QStyle::State_Selected) && i != 1
                                              ? QPalette::HighlightedText
                                              : QPalette::Text));
        painter->drawText(piece, Qt::AlignLeft | Qt::AlignVCenter, parts[i]);
        rect.setLeft(rect.left() + width);
    }
    painter->restore();
}

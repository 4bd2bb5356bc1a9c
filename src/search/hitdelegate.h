#pragma once

#include <QStyledItemDelegate>

// Draws a result row's line with its match highlighted. The row keeps where the match sits
// in its text in two roles; rows without them are drawn as usual.
class HitDelegate : public QStyledItemDelegate
{
public:
    enum Role { MatchStartRole = Qt::UserRole + 20, MatchLengthRole };

    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/catalogpanel.h"
#include "app/catalogwidth.h"

#include <QAbstractItemDelegate>
#include <QHash>
#include <QLayout>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>

namespace {

// A name's width as the sum of its characters' advances, each character measured once:
// shaping every name of a hundred thousand chapters took seconds at start-up. Kerning is
// left out; the item padding covers the pixel or two it could add.
class NameWidths
{
public:
    explicit NameWidths(const QFontMetrics& fm) : m_fm(fm) {}

    int operator()(const QString& name)
    {
        int width = 0;
        for (const QChar c : name) {
            if (c.isSurrogate())
                return m_fm.horizontalAdvance(name);
            auto it = m_advances.constFind(c.unicode());
            if (it == m_advances.constEnd())
                it = m_advances.insert(c.unicode(), m_fm.horizontalAdvance(c));
            width += *it;
        }
        return width;
    }

private:
    const QFontMetrics& m_fm;
    QHash<ushort, int> m_advances;
};

// Measures the names the tree shows, level by level, until no longer name could matter.
bool addShownRows(CatalogWidth& width, const QTreeView* tree, NameWidths& names,
                  const QModelIndex& parent, int depth)
{
    const QAbstractItemModel* model = tree->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (!width.addRow(depth, names(index.data().toString())))
            return false;
        // Chapters have no rows below them; asking the view whether they are open costs more.
        if (model->hasChildren(index) && tree->isExpanded(index) &&
            !addShownRows(width, tree, names, index, depth + 1))
            return false;
    }
    return true;
}

} // namespace

int MainWindow::catalogStartWidth() const
{
    QTreeView* tree = ui->treeView;
    // The theme's style sheet decides the tree's font and item padding.
    tree->ensurePolished();
    const QFontMetrics fm(tree->font());

    CatalogWidth::Metrics m;
    m.indentation = tree->indentation();
    m.rootDecorated = tree->rootIsDecorated();
    const QModelIndex first = model->index(0, 0);
    if (first.isValid()) {
        QStyleOptionViewItem option;
        option.initFrom(tree);
        option.font = tree->font();
        option.widget = tree;
        option.features = QStyleOptionViewItem::HasDisplay;
        const int hint = tree->itemDelegate()->sizeHint(option, first).width();
        m.itemPadding = qMax(0, hint - fm.horizontalAdvance(first.data().toString()));
    }
    const QMargins around = ui->widget_tree->layout()->contentsMargins();
    // A long library shows the vertical scroll bar, which takes its width from the names.
    m.columnExtra = around.left() + around.right() + 2 * tree->frameWidth() +
                    tree->verticalScrollBar()->sizeHint().width();

    CatalogWidth width(m);
    NameWidths names(fm);
    addShownRows(width, tree, names, QModelIndex(), 0);
    return width.startWidth();
}

void MainWindow::initCatalogPanel()
{
    catalogPanel = new CatalogPanel(ui->splitter_catalog, ui->widget_catalogColumn,
                                    {ui->widget_search, ui->widget_tree}, settings, this);
    catalogPanel->start(catalogStartWidth());
}

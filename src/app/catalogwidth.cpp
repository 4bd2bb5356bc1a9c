#include "app/catalogwidth.h"

#include <QtGlobal>

bool CatalogWidth::addRow(int depth, int textWidth)
{
    const int levels = depth + (m_metrics.rootDecorated ? 1 : 0);
    const int row = levels * m_metrics.indentation + m_metrics.itemPadding + textWidth;
    m_widestRow = qMax(m_widestRow, row);
    return neededWidth() < StartMaximum;
}

int CatalogWidth::neededWidth() const { return m_widestRow + m_metrics.columnExtra; }

int CatalogWidth::startWidth() const { return qBound(StartMinimum, neededWidth(), StartMaximum); }

int CatalogWidth::dragMaximum(int windowWidth)
{
    // A window narrower than twice the minimum still keeps a usable catalog.
    return qMax(DragMinimum, windowWidth / 2);
}

int CatalogWidth::limited(int width, int windowWidth)
{
    return qBound(DragMinimum, width, dragMaximum(windowWidth));
}

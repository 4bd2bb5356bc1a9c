#include "app/catalogpanel.h"

#include "app/catalogwidth.h"
#include "settings/config.h"

#include <QEvent>
#include <QSettings>
#include <QSplitter>

CatalogPanel::CatalogPanel(QSplitter* splitter, QWidget* column, const QList<QWidget*>& parts,
                           QSettings* settings, QObject* parent)
    : QObject(parent), m_splitter(splitter), m_column(column), m_parts(parts), m_settings(settings)
{
    // Only the editor grows with the window; the catalog keeps its width.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_column->setMinimumWidth(CatalogWidth::DragMinimum);
    connect(m_splitter, &QSplitter::splitterMoved, this, &CatalogPanel::dragged);
    m_splitter->installEventFilter(this);
    for (QWidget* part : m_parts)
        part->installEventFilter(this);
}

void CatalogPanel::start(int startWidth)
{
    const int stored = m_settings->value(Config::CatalogWidth).toInt();
    m_wanted = stored > 0 ? stored : startWidth;
    followParts();
}

bool CatalogPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_splitter && event->type() == QEvent::Resize)
        apply();
    else if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        followParts();
    return QObject::eventFilter(watched, event);
}

void CatalogPanel::apply()
{
    const int window = m_splitter->window()->width();
    m_column->setMaximumWidth(CatalogWidth::dragMaximum(window));
    if (m_column->isHidden())
        return;
    const int width = CatalogWidth::limited(m_wanted, window);
    const int rest = m_splitter->width() - width - m_splitter->handleWidth();
    m_splitter->setSizes({width, qMax(0, rest)});
}

void CatalogPanel::followParts()
{
    bool anyShown = false;
    for (QWidget* part : m_parts)
        anyShown = anyShown || !part->isHidden();
    m_column->setVisible(anyShown);
    apply();
}

void CatalogPanel::dragged()
{
    m_wanted = m_column->width();
    m_settings->setValue(Config::CatalogWidth, m_wanted);
}

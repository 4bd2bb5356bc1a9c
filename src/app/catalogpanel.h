#pragma once

#include <QObject>

class QSettings;
class QSplitter;
class QWidget;

// Keeps the catalog column of the main window at the width the author wants: the stored
// width (dragged on the splitter handle) or the start width, limited to half the window at
// every size, the editor column taking the rest. The column leaves the splitter while
// everything in it is hidden, so the editor then takes the whole width.
class CatalogPanel : public QObject
{
    Q_OBJECT

public:
    // `splitter` holds `column` first and the editor column second; `parts` are the column's
    // children whose hiding hides it. The dragged width is written to `settings`.
    CatalogPanel(QSplitter* splitter, QWidget* column, const QList<QWidget*>& parts,
                 QSettings* settings, QObject* parent);

    // Shows the stored width, or `startWidth` when none is stored.
    void start(int startWidth);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();
    void followParts();
    void dragged();

    QSplitter* m_splitter;
    QWidget* m_column;
    QList<QWidget*> m_parts;
    QSettings* m_settings;
    int m_wanted = 0;
};

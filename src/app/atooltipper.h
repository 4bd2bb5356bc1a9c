#pragma once

#include <QObject>

// Installed on the viewport of an item view: shows an entry's full text as a tool tip when
// the entry is too narrow to show it, and no tool tip when it fits.
class AToolTipper : public QObject
{
    Q_OBJECT
public:
    explicit AToolTipper(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

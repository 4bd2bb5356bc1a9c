#pragma once

#include <QAction>
#include <QMenu>

// Adds an entry to `menu` that calls `slot` on `receiver`; the action belongs to `owner`.
template <typename Receiver, typename Slot>
QAction* addEntry(QMenu* menu, const QString& text, QObject* owner, Receiver* receiver, Slot slot)
{
    auto* action = new QAction(text, owner);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    menu->addAction(action);
    return action;
}

#pragma once

#include <QString>
#include <QVector>

#include <functional>

class World;

// What an author does, as a table the random runs draw from. Each operation has
//  - a name (printed in the sequence of a failing run),
//  - a weight (how often it is drawn, relative to the others),
//  - a precondition on the model (a drawn operation whose precondition fails is skipped),
//  - an action that does the same thing to the window and to the model, drawing its
//    arguments from world.rng and returning them as text for the printed sequence.
// To add one (a paste, the statistics window): append a row to the table in operations.cpp.
// Its action drives the window through object names, slot names and QTest input, applies the
// expected effect to world.model (items, bytes, open text, recycle-bin copies), to the
// world's expected boxes, backups and writing log, and calls world.fail() when the window
// cannot be driven. The invariants then check it after every step. An operation whose
// expected effect would run into a fault still being mended checks world.known(...) and
// keeps out of its way.
struct Operation {
    QString name;
    int weight;
    std::function<bool(const World&)> can;
    std::function<QString(World&)> run;
};

const QVector<Operation>& operations();

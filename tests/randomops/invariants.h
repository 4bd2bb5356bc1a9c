#pragma once

#include <QString>

class World;

// What must hold after every step, whatever the step was; the first broken rule as a
// sentence, empty when all hold:
// - every live item's file holds exactly the model's bytes, nothing else is in the library,
//   and the editor shows the model's text of the open item;
// - the recycle bin holds a copy of every deleted chapter and book with its last text;
// - the tree, the live rows of sys.db and the model name the same items;
// - the boxes shown are the ones expected; a new backup holds the editor's text;
// - nothing was written beside the application directory, the import sources or the
//   chosen export files.
QString checkInvariants(World& world);

#pragma once

#include <QString>

// The character count used everywhere (status bar, chapter length, writing lock): the
// length of the text without line feeds and ASCII spaces, in UTF-16 code units.
int chapterCharCount(const QString& text);

// Characters written since a count of `base` was taken, now that the count is `count`;
// deleting text earns nothing.
inline int charsGainedSince(int base, int count) { return count > base ? count - base : 0; }

#pragma once

#include <QString>

// The character count shown to the author and used by the word lock: the length of `text`
// without line feeds and ASCII spaces, in UTF-16 code units.
int chapterCharCount(const QString& text);

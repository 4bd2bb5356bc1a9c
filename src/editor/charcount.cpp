#include "editor/charcount.h"

int chapterCharCount(const QString& text)
{
    // Counting instead of removing: the editor recounts on every cursor movement.
    int excluded = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char(' '))
            ++excluded;
    }
    return text.size() - excluded;
}

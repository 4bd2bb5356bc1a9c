#include "editor/charcount.h"

int chapterCharCount(const QString& text)
{
    int count = 0;
    for (const QChar c : text) {
        if (c != QLatin1Char('\n') && c != QLatin1Char(' '))
            ++count;
    }
    return count;
}

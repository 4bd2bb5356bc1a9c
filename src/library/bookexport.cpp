#include "library/bookexport.h"

#include "library/textfile.h"

namespace BookExport {

QString block(const QString& volume, const QString& chapter, const QString& text)
{
    const QString gap = QStringLiteral("\n\n\n");
    return gap + volume + QStringLiteral("    ") + chapter + gap + text;
}

bool assemble(const QString& bookDir, const QVector<Chapter>& chapters, QString* text)
{
    text->clear();
    for (const Chapter& chapter : chapters) {
        QString body;
        const QString file = bookDir + QLatin1Char('/') + chapter.volume + QLatin1Char('/') +
                             chapter.name + QStringLiteral(".txt");
        if (!TextFile::read(file, &body))
            return false;
        text->append(block(chapter.volume, chapter.name, body));
    }
    return true;
}

} // namespace BookExport

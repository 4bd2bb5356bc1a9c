#include "library/catalognames.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace CatalogNames {

int nextSort(float maxSort)
{
    // A failed query reports NaN or -1; the new item then starts the numbering.
    if (!std::isfinite(maxSort) || maxSort < 0.0f)
        return 1;
    return int(std::trunc(double(maxSort) + 1.0));
}

float insertSort(const QVector<float>& found)
{
    if (found.isEmpty())
        return 0.0f;
    const float second = found.size() > 1 ? found[1] : 0.0f;
    return (found[0] + second) * 0.5f;
}

QString bookName(int number) { return QStringLiteral("默认书名[%1]").arg(number); }
QString volumeName(int number) { return QStringLiteral("默认分卷[%1]").arg(number); }
QString chapterName(int number) { return QStringLiteral("默认章节[%1]").arg(number); }
QString chapterStarterText(int number) { return QStringLiteral("默认章节[%1]\n\n").arg(number); }

int freeNumber(int start, const std::function<QString(int)>& nameOf, const QString& dir,
               const QString& suffix, const QStringList& siblingNames)
{
    for (int n = qMax(start, 1); n < qMax(start, 1) + 100000; ++n) {
        const QString name = nameOf(n);
        const QFileInfo entry(dir + name + suffix);
        if (!siblingNames.contains(name) && !entry.exists() && !entry.isSymLink())
            return n;
    }
    return -1;
}

bool isSafeName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    if (name.front().isSpace() || name.back().isSpace())
        return false;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

static bool isTitleBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x3000);
}

QString retitled(const QString& text, const QString& oldTitle, const QString& title)
{
    const int lineEnd = text.indexOf(QLatin1Char('\n'));
    const QString first = lineEnd < 0 ? text : text.left(lineEnd);
    int begin = 0;
    while (begin < first.size() && isTitleBlank(first[begin]))
        ++begin;
    int end = first.size();
    while (end > begin && isTitleBlank(first[end - 1]))
        --end;
    const QStringRef name = first.midRef(begin, end - begin);
    if (!name.isEmpty() && name != oldTitle)
        return text;
    const QString rest = lineEnd < 0 ? QString() : text.mid(lineEnd + 1);
    return first.left(begin) + title + QStringLiteral("\n\n") + rest;
}

bool renameEntry(const QString& from, const QString& to)
{
    if (from.isEmpty() || to.isEmpty())
        return false;
    const QFileInfo source(from);
    const QFileInfo target(to);
    if (source.absolutePath() != target.absolutePath() || target.fileName().isEmpty())
        return false;
    if (target.exists() || target.isSymLink())
        return false;
    return QDir().rename(from, to);
}

} // namespace CatalogNames

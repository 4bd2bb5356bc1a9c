#include "library/txtbook.h"

#include "editor/charcount.h"
#include "editor/typesetting.h"
#include "library/catalognames.h"
#include "library/textdecoder.h"

#include <QDir>
#include <QFile>

namespace TxtBook {
namespace {

bool writeNewFile(const QString& path, const QString& text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text))
        return false;
    const QByteArray bytes = text.toUtf8();
    return f.write(bytes) == bytes.size() && f.flush() && f.error() == QFileDevice::NoError;
}

QString place(const QString& volume, const QString& chapter)
{
    return QStringLiteral("「%1 / %2」").arg(volume, chapter);
}

} // namespace

bool decode(const QByteArray& bytes, QString* text)
{
    const TextDecoder::Result decoded = TextDecoder::decode(bytes);
    *text = decoded.text;
    return decoded.clean;
}

ReadResult read(const QString& path, QString* text)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return ReadResult::CannotOpen;
    QString decoded;
    // A NUL never appears in a manuscript; it does in a word processor's file renamed .txt.
    if (!decode(f.readAll(), &decoded) || decoded.contains(QChar(0)))
        return ReadResult::NotText;
    *text = TxtSplit::normalizedLineEnds(decoded);
    return ReadResult::Ok;
}

QString safeName(const QString& name, const QString& fallback)
{
    static const QString unsafe = QStringLiteral("/\\:*?\"<>|");
    static const QString fullWidth = QStringLiteral("／＼：＊？＂＜＞｜");
    QString safe;
    safe.reserve(name.size());
    for (const QChar c : name) {
        const int at = unsafe.indexOf(c);
        if (at >= 0)
            safe += fullWidth.at(at);
        else if (c.category() != QChar::Other_Control)
            safe += c;
    }
    safe = safe.trimmed();
    // Windows drops trailing dots, which would make "第一章." and "第一章" one file.
    for (int i = safe.size() - 1; i >= 0 && safe.at(i) == QLatin1Char('.'); --i)
        safe[i] = QChar(0xFF0E);
    return CatalogNames::isSafeName(safe) ? safe : fallback;
}

QString uniqueName(const QString& name, QStringList* taken)
{
    QString unique = name;
    for (int n = 2; taken->contains(unique.toLower()); ++n)
        unique = QStringLiteral("%1[%2]").arg(name).arg(n);
    taken->append(unique.toLower());
    return unique;
}

Plan plan(const QString& text, const TxtSplit::Rules& rules, bool exportBlocks)
{
    const TxtSplit::Book book = TxtSplit::split(text, rules, exportBlocks);
    const QString untitled = QStringLiteral("未命名");
    Plan result;
    result.mode = book.mode;
    // A volume named index.txt would take the book's own text file; a chapter named index
    // the volume's.
    QStringList volumeNames{QStringLiteral("index.txt")};
    for (const TxtSplit::Volume& found : book.volumes) {
        Volume volume;
        volume.name = uniqueName(safeName(found.heading, untitled), &volumeNames);
        if (volume.name != found.heading)
            result.warnings
                << QStringLiteral("分卷名「%1」改为「%2」").arg(found.heading, volume.name);
        QStringList chapterNames{QStringLiteral("index")};
        for (const TxtSplit::Chapter& c : found.chapters) {
            Chapter chapter{uniqueName(safeName(c.heading, untitled), &chapterNames), c,
                            chapterCharCount(c.text)};
            const QString where = place(volume.name, chapter.name);
            if (chapter.name != c.heading)
                result.warnings
                    << QStringLiteral("章节名「%1」改为「%2」").arg(c.heading, chapter.name);
            if (c.text.trimmed().isEmpty())
                result.warnings << QStringLiteral("%1是空章节").arg(where);
            else if (chapter.chars > kLongChapterChars)
                result.warnings
                    << QStringLiteral("%1有%2字，可能漏掉了章节标题").arg(where).arg(chapter.chars);
            volume.chapters.append(chapter);
        }
        result.chapterCount += volume.chapters.size();
        result.volumes.append(volume);
    }
    return result;
}

QString fileText(TxtSplit::Mode mode, const TxtSplit::Chapter& chapter,
                 const Typesetting::OneKeyOptions* typeset)
{
    const QString text = typeset ? Typesetting::oneKey(chapter.text, *typeset) : chapter.text;
    if (mode == TxtSplit::Mode::ExportBlocks)
        return text;
    return chapter.heading + QStringLiteral("\n\n") + text;
}

bool write(const QString& bookDir, const Plan& plan, const Typesetting::OneKeyOptions* typeset,
           const std::function<void(int)>& progress)
{
    if (!QDir().mkdir(bookDir))
        return false;
    const QString index = QStringLiteral("/index.txt");
    bool ok = writeNewFile(bookDir + index, QString());
    int written = 0;
    for (int v = 0; ok && v < plan.volumes.size(); ++v) {
        const Volume& volume = plan.volumes[v];
        const QString dir = bookDir + QLatin1Char('/') + volume.name;
        ok = QDir().mkdir(dir) && writeNewFile(dir + index, QString());
        for (int c = 0; ok && c < volume.chapters.size(); ++c) {
            const Chapter& chapter = volume.chapters[c];
            ok = writeNewFile(dir + QLatin1Char('/') + chapter.name + QStringLiteral(".txt"),
                              fileText(plan.mode, chapter.found, typeset));
            if (ok)
                progress(++written);
        }
    }
    if (!ok) {
        // The directory did not exist before, so all of it is this import's own.
        QDir(bookDir).removeRecursively();
    }
    return ok;
}

QVector<BookImport::Volume> catalogVolumes(const Plan& plan)
{
    QVector<BookImport::Volume> volumes;
    volumes.reserve(plan.volumes.size());
    for (const Volume& volume : plan.volumes) {
        BookImport::Volume v{volume.name, {}};
        for (const Chapter& chapter : volume.chapters)
            v.chapters.append(chapter.name);
        volumes.append(v);
    }
    return volumes;
}

} // namespace TxtBook

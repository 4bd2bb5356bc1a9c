#include "library/txtsplit.h"

namespace TxtSplit {
namespace {

const QString kGap = QStringLiteral("\n\n\n");
const QString kExportSeparator = QStringLiteral("    ");

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x3000);
}

// Counted like the status bar: everything but line feeds and ASCII spaces.
int countedChars(const QString& text, int start, int end)
{
    int n = 0;
    for (int i = start; i < end; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char(' '))
            ++n;
    }
    return n;
}

bool isBlankRange(const QString& text, int start, int end)
{
    for (int i = start; i < end; ++i) {
        if (!isBlank(text.at(i)))
            return false;
    }
    return true;
}

// The range without its leading and trailing lines that hold only blanks; the paragraphs
// in between stay as they are, indents included.
QString withoutBlankLines(const QString& text, int start, int end)
{
    while (start < end) {
        int nl = text.indexOf(QLatin1Char('\n'), start);
        if (nl < 0 || nl >= end)
            nl = end;
        if (!isBlankRange(text, start, nl))
            break;
        start = nl + 1;
    }
    while (end > start) {
        const int nl = text.lastIndexOf(QLatin1Char('\n'), end - 1);
        const int lineStart = nl < start ? start : nl + 1;
        if (!isBlankRange(text, lineStart, end))
            break;
        end = nl < start ? start : nl;
    }
    return end > start ? text.mid(start, end - start) : QString();
}

struct Range {
    QString heading;
    int start = 0;
    int end = 0;
    QVector<Chapter> chapters;
};

// A chapter heading in an export: "<volume>    <chapter>", neither part empty nor padded.
bool splitExportHeading(const QString& line, QString* volume, QString* chapter)
{
    const int at = line.indexOf(kExportSeparator);
    if (at <= 0 || line.front().isSpace())
        return false;
    const QString name = line.mid(at + kExportSeparator.size());
    if (name.isEmpty() || name.front().isSpace() || name.back().isSpace())
        return false;
    *volume = line.left(at);
    *chapter = name;
    return true;
}

// The export block starting at `pos` ("\n\n\n", heading, "\n\n\n"): the position of its
// text, or -1 when there is none.
int exportBlockAt(const QString& text, int pos, QString* volume, QString* chapter)
{
    if (QStringRef(&text, pos, qMin(3, text.size() - pos)) != kGap)
        return -1;
    const int lineEnd = text.indexOf(QLatin1Char('\n'), pos + 3);
    if (lineEnd < 0 || QStringRef(&text, lineEnd, qMin(3, text.size() - lineEnd)) != kGap)
        return -1;
    return splitExportHeading(text.mid(pos + 3, lineEnd - pos - 3), volume, chapter) ? lineEnd + 3
                                                                                     : -1;
}

bool splitExport(const QString& text, Book* book)
{
    QString volume;
    QString chapter;
    int body = exportBlockAt(text, 0, &volume, &chapter);
    if (body < 0)
        return false;
    book->mode = Mode::ExportBlocks;
    while (body >= 0) {
        // The next block begins at the last three line feeds before its heading, so a text
        // ending in line feeds keeps them.
        int next = -1;
        QString nextVolume;
        QString nextChapter;
        int nextBody = -1;
        for (int gap = text.indexOf(kGap, body); gap >= 0; gap = text.indexOf(kGap, gap + 1)) {
            nextBody = exportBlockAt(text, gap, &nextVolume, &nextChapter);
            if (nextBody >= 0) {
                next = gap;
                break;
            }
        }
        const int end = next < 0 ? text.size() : next;
        if (book->volumes.isEmpty() || book->volumes.back().heading != volume)
            book->volumes.append({volume, {}});
        book->volumes.back().chapters.append({chapter, text.mid(body, end - body)});
        body = nextBody;
        volume = nextVolume;
        chapter = nextChapter;
    }
    return true;
}

void cutBySize(const QString& text, const Range& range, int* number, QVector<Chapter>* out)
{
    int chunkStart = range.start;
    int counted = 0;
    int pos = range.start;
    while (pos < range.end) {
        int nl = text.indexOf(QLatin1Char('\n'), pos);
        if (nl < 0 || nl > range.end)
            nl = range.end;
        counted += countedChars(text, pos, nl);
        pos = nl + 1;
        if (counted >= kChunkChars || pos >= range.end) {
            const QString chunk = withoutBlankLines(text, chunkStart, qMin(nl, range.end));
            if (!chunk.isEmpty())
                out->append({QString::number(++*number), chunk});
            chunkStart = pos;
            counted = 0;
        }
    }
}

} // namespace

Patterns defaultPatterns()
{
    const QString digits =
        QStringLiteral("0-9０-９零〇一二两三四五六七八九十百千万壹贰叁肆伍陆柒捌玖拾佰仟");
    const QString number = QStringLiteral("[%1]+").arg(digits);
    // After the number either nothing or a separator and a title: "第三章写完了" is a
    // sentence, "第三章 风起" a heading.
    const QString tail = QStringLiteral("(?:[\\s　:：、.．·\\-—_(（【\\[「《“\"].*)?$");
    Patterns p;
    p.volume = QStringLiteral("^(?:第%1[卷部集篇]|[上中下][卷部集篇]|卷%1)").arg(number) + tail;
    p.chapter = QStringLiteral("^(?:第%1[章回节话]|序章|序言|序幕|序|楔子|引子|前言|尾声|后记|终章|"
                               "番外[篇%2]*|(?i:chapter)\\s*[0-9０-９]+)")
                    .arg(number, digits) +
                tail;
    return p;
}

QString trimmedLine(const QString& line)
{
    int start = 0;
    int end = line.size();
    while (start < end && isBlank(line.at(start)))
        ++start;
    while (end > start && isBlank(line.at(end - 1)))
        --end;
    return line.mid(start, end - start);
}

QString normalizedLineEnds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

Rules::Rules(const Patterns& patterns) : m_volume(patterns.volume), m_chapter(patterns.chapter)
{
    m_volume.optimize();
    m_chapter.optimize();
}

bool Rules::isValid() const { return m_volume.isValid() && m_chapter.isValid(); }

QString Rules::errorString() const
{
    return m_volume.isValid() ? m_chapter.errorString() : m_volume.errorString();
}

LineKind Rules::classify(const QString& line) const
{
    if (line.isEmpty() || line.size() > kMaxHeadingLength || !isValid())
        return LineKind::Text;
    // An empty pattern would call every short line a heading.
    if (!m_volume.pattern().isEmpty() && m_volume.match(line).hasMatch())
        return LineKind::Volume;
    if (!m_chapter.pattern().isEmpty() && m_chapter.match(line).hasMatch())
        return LineKind::Chapter;
    return LineKind::Text;
}

QString defaultVolumeName() { return QStringLiteral("正文"); }
QString preambleName() { return QStringLiteral("序"); }

Book split(const QString& text, const Rules& rules, bool exportBlocks)
{
    Book book;
    if (exportBlocks && splitExport(text, &book))
        return book;

    // The first range gathers what comes before the first volume heading.
    QVector<Range> ranges(1);
    QString chapterHeading;
    bool inChapter = false;
    bool anyChapter = false;
    int chapterStart = 0;
    const auto closeChapter = [&](int end) {
        const QString body = withoutBlankLines(text, chapterStart, end);
        if (inChapter || !body.isEmpty())
            ranges.back().chapters.append({inChapter ? chapterHeading : preambleName(), body});
    };
    for (int pos = 0; pos <= text.size();) {
        int end = text.indexOf(QLatin1Char('\n'), pos);
        if (end < 0)
            end = text.size();
        int s = pos;
        int e = end;
        while (s < e && isBlank(text.at(s)))
            ++s;
        while (e > s && isBlank(text.at(e - 1)))
            --e;
        const LineKind kind =
            e - s <= kMaxHeadingLength ? rules.classify(text.mid(s, e - s)) : LineKind::Text;
        if (kind != LineKind::Text) {
            closeChapter(pos);
            inChapter = kind == LineKind::Chapter;
            anyChapter = anyChapter || inChapter;
            if (kind == LineKind::Volume) {
                ranges.back().end = pos;
                ranges.append({text.mid(s, e - s), end + 1, end + 1, {}});
            }
            chapterHeading = text.mid(s, e - s);
            chapterStart = end + 1;
        }
        pos = end + 1;
    }
    closeChapter(text.size());
    ranges.back().end = text.size();

    if (!anyChapter) {
        book.mode = Mode::BySize;
        int number = 0;
        for (Range& range : ranges) {
            range.chapters.clear();
            cutBySize(text, range, &number, &range.chapters);
        }
    }
    if (ranges.size() == 1) {
        ranges[0].heading = defaultVolumeName();
    } else {
        // Chapters before the first volume heading open the first volume (a 楔子 before 第一卷).
        ranges[1].chapters = ranges[0].chapters + ranges[1].chapters;
        ranges.removeFirst();
    }
    for (const Range& range : ranges)
        book.volumes.append({range.heading, range.chapters});
    return book;
}

} // namespace TxtSplit

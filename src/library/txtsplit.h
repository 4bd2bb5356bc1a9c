#pragma once

#include <QRegularExpression>
#include <QString>
#include <QVector>

// How one long text file of a whole book falls apart into volumes and chapters: which lines
// are headings, where each chapter's text begins and ends. Names are taken as found here;
// making them usable as file names is the import plan's business.
namespace TxtSplit {

// A heading is a line of its own of at most this many characters once trimmed.
constexpr int kMaxHeadingLength = 40;
// Without any chapter heading the text is cut at the first paragraph end after this many
// counted characters.
constexpr int kChunkChars = 3000;

struct Patterns {
    QString volume;
    QString chapter;
};
// 第…卷/部/集/篇, 上卷 and the like for volumes; 第…章/回/节/话, 序章, 楔子, 番外…, Chapter N
// for chapters, each either alone on its line or followed by a separator and a title.
Patterns defaultPatterns();

// The line without ASCII blanks and full-width spaces at either end.
QString trimmedLine(const QString& line);
// \r\n and lone \r become \n.
QString normalizedLineEnds(QString text);

enum class LineKind { Text, Volume, Chapter };

class Rules
{
public:
    explicit Rules(const Patterns& patterns);
    bool isValid() const;
    // The pattern's own complaint when one of them is not a valid expression.
    QString errorString() const;
    // `line` is already trimmed. A line that matches both patterns names a volume.
    LineKind classify(const QString& line) const;

private:
    QRegularExpression m_volume;
    QRegularExpression m_chapter;
};

enum class Mode {
    Headings,
    // The program's own export: blocks of "\n\n\n<volume>    <chapter>\n\n\n<text>".
    ExportBlocks,
    // No chapter heading anywhere: numbered chapters of about kChunkChars characters.
    BySize,
};

struct Chapter {
    // The heading line as found (trimmed); "序" for text before the first heading; the
    // number for a chapter cut by size; the chapter name of an export block.
    QString heading;
    // Without blank lines at either end, except in an export block, whose text is exactly
    // the chapter file's text.
    QString text;
};

struct Volume {
    QString heading;
    QVector<Chapter> chapters;
};

struct Book {
    Mode mode = Mode::Headings;
    QVector<Volume> volumes;
};

// The name of the one volume of a book without volume headings.
QString defaultVolumeName();
// The name of a chapter holding the text before a volume's first chapter heading.
QString preambleName();

// `text` has line feeds only. Invalid rules find no heading. A text in the program's export
// format is split by its blocks unless `exportBlocks` is false.
Book split(const QString& text, const Rules& rules, bool exportBlocks = true);

} // namespace TxtSplit

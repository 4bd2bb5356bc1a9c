#pragma once

#include "library/bookimport.h"
#include "library/txtsplit.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace Typesetting {
struct OneKeyOptions;
}

// A whole book read from one text file, ready to become a library book: names that are
// safe as file names and unique among their siblings, what the author should look at
// before importing, and the files and rows it turns into.
namespace TxtBook {

// Decodes a text file as chapter files are decoded. False when the bytes are not clean text
// in one of the encodings the program reads, so nothing is imported as garbage.
bool decode(const QByteArray& bytes, QString* text);

enum class ReadResult { Ok, CannotOpen, NotText };
// The file decoded, with line feeds only.
ReadResult read(const QString& path, QString* text);

struct Chapter {
    QString name;
    TxtSplit::Chapter found;
    int chars = 0;
};

struct Volume {
    QString name;
    QVector<Chapter> chapters;
};

struct Plan {
    TxtSplit::Mode mode = TxtSplit::Mode::Headings;
    QVector<Volume> volumes;
    QStringList warnings;
    int chapterCount = 0;
};

// A chapter longer than this may hide a heading the patterns missed.
constexpr int kLongChapterChars = 20000;

Plan plan(const QString& text, const TxtSplit::Rules& rules, bool exportBlocks = true);

// `name` changed so that it passes the program's safe-name rule and means the same on every
// file system: separators and characters Windows refuses become their full-width forms,
// control characters go, blanks at the ends are trimmed. `fallback` when nothing is left.
QString safeName(const QString& name, const QString& fallback);

// `name`, or name[2], name[3] … when it is taken; `taken` holds lower-case names, as
// Windows does not tell case apart. Adds the result to `taken`.
QString uniqueName(const QString& name, QStringList* taken);

// What a chapter's file holds: its heading line, an empty line and its text (typeset when
// `typeset` is given); in an export block, the block's text exactly.
QString fileText(TxtSplit::Mode mode, const TxtSplit::Chapter& chapter,
                 const Typesetting::OneKeyOptions* typeset);

// Creates `bookDir` (which must not exist) with the book's and volumes' own index.txt and
// every chapter file. `progress` hears the number of chapters written. On failure nothing
// it created is left behind.
bool write(const QString& bookDir, const Plan& plan, const Typesetting::OneKeyOptions* typeset,
           const std::function<void(int)>& progress);

// The volumes and chapter names as the book index stores them, in file order.
QVector<BookImport::Volume> catalogVolumes(const Plan& plan);

} // namespace TxtBook

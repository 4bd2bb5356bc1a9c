#pragma once

#include <QString>

// The bytes of every text file the program writes or reads: UTF-8 without a byte-order
// mark, whatever the locale; files that are not valid UTF-8 (books written on Chinese
// Windows) are read as GB18030. Line breaks are read as line feeds.
namespace TextFile {

// Decodes file content as described above.
QString decode(const QByteArray& bytes);
// Reads the whole file; false when it cannot be opened.
bool read(const QString& path, QString* text);
// Replaces the file's content atomically: a temporary file is written and renamed over the
// old one, so a failure at any point leaves the previous content. `error` gets the reason.
bool writeAtomic(const QString& path, const QString& text, QString* error = nullptr);

} // namespace TextFile

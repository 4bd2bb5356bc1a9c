#pragma once

#include "library/textdecoder.h"

#include <QString>

// The bytes of every text file the program writes or reads: written as UTF-8 without a
// byte-order mark, whatever the locale; read through TextDecoder, which also takes UTF-16
// and the GB18030 of books written on Chinese Windows. Line breaks are read as line feeds.
namespace TextFile {

// Decodes file content as described above.
QString decode(const QByteArray& bytes);
// Reads the whole file; false when it cannot be opened. `decoded` (when given) gets the
// text with the encoding found and whether every byte could be read.
bool read(const QString& path, QString* text, TextDecoder::Result* decoded = nullptr);
// Replaces the file's content atomically: a temporary file is written and renamed over the
// old one, so a failure at any point leaves the previous content. `error` gets the reason.
bool writeAtomic(const QString& path, const QString& text, QString* error = nullptr);

} // namespace TextFile

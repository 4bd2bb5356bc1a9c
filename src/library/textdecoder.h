#pragma once

#include <QByteArray>
#include <QString>

// How the bytes of a text file become text, for everything that reads an author's file
// (opening a chapter, export, the recycle-bin preview, and any later whole-book import or
// search). A byte-order mark decides first (UTF-8, UTF-16 LE/BE); bytes that are valid
// UTF-8 are UTF-8. GB18030 (books written on Chinese Windows) is chosen only when the bytes
// are clearly not UTF-8 (more broken sequences than well-formed multi-byte ones) and read
// as GB18030 without a fault; anything else is UTF-8 with a replacement character for each
// broken sequence, so one stray byte never turns a whole chapter into garbage.
// Line breaks ("\r\n", a lone "\r") come back as line feeds.
class TextDecoder
{
public:
    enum Encoding { Utf8, Utf16LE, Utf16BE, Gb18030 };

    struct Result {
        QString text;
        Encoding encoding = Utf8;
        bool byteOrderMark = false;
        // False when some bytes could not be read and were replaced (U+FFFD): saving the
        // text would not give the file back.
        bool clean = true;
    };

    static Result decode(const QByteArray& bytes);
    // The codec name ("UTF-8", "UTF-16LE", "UTF-16BE", "GB18030").
    static QByteArray encodingName(Encoding encoding);
};

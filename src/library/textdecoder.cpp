#include "library/textdecoder.h"

#include <QTextCodec>

namespace {

struct Utf8Scan {
    int multiByte = 0; // well-formed sequences of two to four bytes
    int broken = 0;    // sequences that are not UTF-8, a cut one at the end included
};

// The length of the well-formed UTF-8 sequence at `i`, or 0 when it is broken (stray
// continuation bytes, overlong forms, surrogates, values above U+10FFFF, cut sequences).
int sequenceLength(const unsigned char* s, int i, int size)
{
    const unsigned char lead = s[i];
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > size || s[i + 1] < low || s[i + 1] > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (s[i + k] < 0x80 || s[i + k] > 0xBF)
            return 0;
    }
    return length;
}

Utf8Scan scanUtf8(const QByteArray& bytes)
{
    Utf8Scan scan;
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.constData());
    const int size = bytes.size();
    for (int i = 0; i < size;) {
        const int length = sequenceLength(s, i, size);
        if (length == 0) {
            ++scan.broken;
            ++i;
            // The continuation bytes of a broken sequence belong to it, not to new faults.
            while (i < size && (s[i] & 0xC0) == 0x80)
                ++i;
        } else {
            scan.multiByte += length > 1 ? 1 : 0;
            i += length;
        }
    }
    return scan;
}

// Decodes with `codec`; `clean` becomes false when a byte could not be read.
QString convert(const char* codec, const QByteArray& bytes, bool* clean)
{
    QTextCodec::ConverterState state;
    QString text =
        QTextCodec::codecForName(codec)->toUnicode(bytes.constData(), bytes.size(), &state);
    // A sequence cut at the end is held back by the state, not decoded: it is a fault too.
    if (state.remainingChars > 0)
        text.append(QChar::ReplacementCharacter);
    *clean = state.invalidChars == 0 && state.remainingChars == 0;
    return text;
}

QString unixLineBreaks(QString text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

TextDecoder::Result TextDecoder::decode(const QByteArray& bytes)
{
    Result result;
    QByteArray body = bytes;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.byteOrderMark = true;
        body.remove(0, 3);
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        result.byteOrderMark = true;
        result.encoding = bytes.startsWith("\xFF\xFE") ? Utf16LE : Utf16BE;
        body.remove(0, 2);
        result.text = unixLineBreaks(convert(encodingName(result.encoding), body, &result.clean));
        return result;
    }
    // Nearly every chapter is valid UTF-8: one pass of Qt's decoder settles it. A second
    // byte-order mark is a character of the text, not a header to drop.
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString utf8 =
        QTextCodec::codecForName("UTF-8")->toUnicode(body.constData(), body.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0) {
        result.text = unixLineBreaks(utf8);
        return result;
    }
    const Utf8Scan scan = scanUtf8(body);
    if (scan.broken > 0 && !result.byteOrderMark && scan.broken > scan.multiByte) {
        bool clean = false;
        const QString text = convert("GB18030", body, &clean);
        // Qt's GB18030 decoder replaces some faults without counting them and drops a
        // character cut at the end: only text that encodes back to the same bytes is clean.
        if (clean && !text.contains(QChar::ReplacementCharacter) &&
            QTextCodec::codecForName("GB18030")->fromUnicode(text) == body) {
            result.encoding = Gb18030;
            result.text = unixLineBreaks(text);
            return result;
        }
    }
    result.clean = false;
    result.text = unixLineBreaks(QString::fromUtf8(body));
    return result;
}

QByteArray TextDecoder::encodingName(Encoding encoding)
{
    switch (encoding) {
    case Utf16LE:
        return QByteArrayLiteral("UTF-16LE");
    case Utf16BE:
        return QByteArrayLiteral("UTF-16BE");
    case Gb18030:
        return QByteArrayLiteral("GB18030");
    case Utf8:
        break;
    }
    return QByteArrayLiteral("UTF-8");
}

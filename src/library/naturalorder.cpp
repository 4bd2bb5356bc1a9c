#include "library/naturalorder.h"

#include <algorithm>

namespace {

const QString kDigits = QStringLiteral("零一二三四五六七八九");

int digitOf(QChar c)
{
    if (c == QChar(0x3007) || c == QChar(0x96F6)) // 〇 零
        return 0;
    if (c == QChar(0x4E24)) // 两
        return 2;
    const int at = kDigits.indexOf(c);
    return at > 0 ? at : -1;
}

qint64 unitOf(QChar c)
{
    switch (c.unicode()) {
    case 0x5341:
        return 10; // 十
    case 0x767E:
        return 100; // 百
    case 0x5343:
        return 1000; // 千
    case 0x4E07:
        return 10000; // 万
    case 0x4EBF:
        return 100000000; // 亿
    default:
        return 0;
    }
}

bool isChineseNumeral(QChar c) { return digitOf(c) >= 0 || unitOf(c) > 0; }

// Arabic digits, half or full width.
int arabicOf(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
        return c.unicode() - 0xFF10;
    return -1;
}

// One piece of a name: a number, or a single other character.
struct Piece {
    bool number = false;
    qint64 value = 0;
    QChar ch;
};

Piece nextPiece(const QString& s, int* pos)
{
    Piece p;
    int i = *pos;
    if (arabicOf(s[i]) >= 0) {
        p.number = true;
        // Long runs saturate: beyond that length only the characters can tell them apart.
        while (i < s.size() && arabicOf(s[i]) >= 0) {
            if (p.value < Q_INT64_C(100000000000000000))
                p.value = p.value * 10 + arabicOf(s[i]);
            ++i;
        }
    } else if (isChineseNumeral(s[i])) {
        int end = i;
        while (end < s.size() && isChineseNumeral(s[end]))
            ++end;
        const qint64 value = NaturalOrder::chineseValue(s.mid(i, end - i));
        if (value >= 0) {
            p.number = true;
            p.value = value;
            i = end;
        } else {
            p.ch = s[i++];
        }
    } else {
        p.ch = s[i++];
    }
    *pos = i;
    return p;
}

// <0, 0 or >0 by value; 0 when the names differ only in how their numbers are written.
int compareByValue(const QString& a, const QString& b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        const Piece x = nextPiece(a, &i);
        const Piece y = nextPiece(b, &j);
        if (x.number && y.number) {
            if (x.value != y.value)
                return x.value < y.value ? -1 : 1;
        } else if (x.number != y.number) {
            // A number sorts before text, as digits do before letters.
            return x.number ? -1 : 1;
        } else if (x.ch != y.ch) {
            return x.ch < y.ch ? -1 : 1;
        }
    }
    return (i < a.size()) - (j < b.size());
}

} // namespace

namespace NaturalOrder {

qint64 chineseValue(const QString& run)
{
    if (run.isEmpty() || run.size() > 24)
        return -1;
    qint64 yi = 0;      // finished part in 亿
    qint64 wan = 0;     // finished part in 万, below 亿
    qint64 section = 0; // the part below 万
    qint64 digit = -1;  // a digit waiting for its unit
    for (const QChar c : run) {
        const int d = digitOf(c);
        if (d >= 0) {
            if (digit > 0)
                return -1; // two digits in a row (二三) are no number
            digit = d;
            continue;
        }
        const qint64 unit = unitOf(c);
        const qint64 below = section + qMax<qint64>(digit, 0);
        if (unit == 100000000) {
            if (yi > 100000)
                return -1;
            yi = (yi + wan + qMax<qint64>(below, 1)) * unit;
            wan = 0;
            section = 0;
        } else if (unit == 10000) {
            wan = qMax<qint64>(below, 1) * unit;
            section = 0;
        } else {
            // A bare 十 means one ten.
            section += (digit < 0 ? 1 : digit) * unit;
        }
        digit = -1;
    }
    return yi + wan + section + qMax<qint64>(digit, 0);
}

bool less(const QString& a, const QString& b)
{
    const int byValue = compareByValue(a, b);
    if (byValue != 0)
        return byValue < 0;
    return a < b;
}

void sort(QStringList& names) { std::sort(names.begin(), names.end(), less); }

} // namespace NaturalOrder

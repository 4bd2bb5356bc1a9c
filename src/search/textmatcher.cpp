#include "search/textmatcher.h"

namespace {

// A result row shows this much of a long paragraph around its match.
const int contextBefore = 30;
const int contextAfter = 60;

} // namespace

TextMatcher::TextMatcher(const QString& pattern, Options options)
    : m_pattern(pattern), m_options(options)
{
    if (pattern.isEmpty())
        return;
    if (!options.regex) {
        m_valid = true;
        return;
    }
    QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
    if (!options.caseSensitive)
        flags |= QRegularExpression::CaseInsensitiveOption;
    m_regex = QRegularExpression(pattern, flags);
    m_valid = m_regex.isValid();
    if (!m_valid)
        m_error = m_regex.errorString();
    else
        m_regex.optimize();
}

QVector<TextMatcher::Match> TextMatcher::matches(const QString& text, int limit) const
{
    QVector<Match> found;
    if (!m_valid)
        return found;
    if (!m_options.regex) {
        const Qt::CaseSensitivity cs =
            m_options.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
        for (int at = text.indexOf(m_pattern, 0, cs); at >= 0 && found.size() != limit;
             at = text.indexOf(m_pattern, at + m_pattern.size(), cs))
            found.append({at, int(m_pattern.size()), {}});
        return found;
    }
    QRegularExpressionMatchIterator it = m_regex.globalMatch(text);
    while (it.hasNext() && found.size() != limit) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength() > 0)
            found.append({m.capturedStart(), m.capturedLength(), m.capturedTexts()});
    }
    return found;
}

int TextMatcher::count(const QString& text) const
{
    if (!m_valid || m_options.regex)
        return matches(text).size();
    // QString::count() would count overlapping occurrences; a replacement never overlaps.
    const Qt::CaseSensitivity cs =
        m_options.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int n = 0;
    for (int at = text.indexOf(m_pattern, 0, cs); at >= 0;
         at = text.indexOf(m_pattern, at + m_pattern.size(), cs))
        ++n;
    return n;
}

QVector<TextMatcher::Hit> TextMatcher::hits(const QString& text, int limit, int* total) const
{
    QVector<Hit> result;
    const QVector<Match> found = matches(text, limit);
    *total = limit < 0 || found.size() < limit ? found.size() : count(text);
    int line = 1;
    int counted = 0;
    for (const Match& m : found) {
        line += text.midRef(counted, m.start - counted).count(QLatin1Char('\n'));
        counted = m.start;
        // lastIndexOf() takes -1 as "from the end", so a match at 0 is handled apart.
        const int lineStart =
            m.start == 0 ? 0 : text.lastIndexOf(QLatin1Char('\n'), m.start - 1) + 1;
        int lineEnd = text.indexOf(QLatin1Char('\n'), m.start);
        if (lineEnd < 0)
            lineEnd = text.size();
        const int from = qMax(lineStart, m.start - contextBefore);
        const int shown = qMin(m.length, lineEnd - m.start);
        const int to = qMin(lineEnd, m.start + shown + contextAfter);
        result.append(
            {m.start, m.length, line, text.mid(from, to - from), m.start - from, qMax(shown, 0)});
    }
    return result;
}

QVector<TextMatcher::Replacement> TextMatcher::replacements(const QString& text,
                                                            const QString& replacement) const
{
    QVector<Replacement> result;
    for (const Match& m : matches(text))
        result.append({m.start, m.length, expand(m, replacement)});
    return result;
}

QString TextMatcher::applied(const QString& text, const QVector<Replacement>& replacements)
{
    QString out;
    out.reserve(text.size());
    int done = 0;
    for (const Replacement& r : replacements) {
        out += text.midRef(done, r.start - done);
        out += r.text;
        done = r.start + r.length;
    }
    out += text.midRef(done);
    return out;
}

QString TextMatcher::expand(const Match& match, const QString& replacement) const
{
    if (!m_options.regex)
        return replacement;
    QString out;
    for (int i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        if (c != QLatin1Char('\\') || i + 1 == replacement.size()) {
            out += c;
            continue;
        }
        const QChar next = replacement.at(i + 1);
        if (next == QLatin1Char('\\')) {
            out += next;
            ++i;
            continue;
        }
        if (!next.isDigit()) {
            out += c;
            continue;
        }
        // Two digits when that group exists, so \12 is group 12 only in a pattern that has it.
        int group = next.digitValue();
        ++i;
        if (i + 1 < replacement.size() && replacement.at(i + 1).isDigit()) {
            const int two = group * 10 + replacement.at(i + 1).digitValue();
            if (two < match.captures.size()) {
                group = two;
                ++i;
            }
        }
        out += match.captures.value(group);
    }
    return out;
}

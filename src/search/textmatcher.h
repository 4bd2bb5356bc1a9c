#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QVector>

// Finding a word or a pattern in a chapter's text and working out what replacing it gives.
// Plain words are compared as they are (optionally ignoring case); patterns use
// QRegularExpression with Unicode properties, so \s also matches the full-width space and
// \w a Chinese character. Empty matches are skipped: they mark no text to show or replace.
class TextMatcher
{
public:
    struct Options {
        bool caseSensitive = false;
        bool regex = false;
    };

    struct Match {
        int start = 0;
        int length = 0;
        QStringList captures; // group 0 first; empty for a plain word
    };

    // A match and the line it sits on, as a result row shows it.
    struct Hit {
        int start = 0; // in the chapter's text
        int length = 0;
        int line = 0;         // 1-based
        QString context;      // the line, clipped around the match when it is long
        int contextStart = 0; // where the match begins in `context`
        int contextLength = 0;
    };

    struct Replacement {
        int start = 0;
        int length = 0;
        QString text;
    };

    TextMatcher(const QString& pattern, Options options);

    // False for an empty search or a pattern that does not compile; `error` says why.
    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }

    // Matches left to right without overlaps; at most `limit` of them when limit >= 0.
    QVector<Match> matches(const QString& text, int limit = -1) const;
    int count(const QString& text) const;
    // Every match with its line; only the first `limit` are kept, the count is exact.
    QVector<Hit> hits(const QString& text, int limit, int* total) const;

    // What each match becomes: `replacement` taken literally for a plain word; for a
    // pattern \1 … \99 insert the groups, \0 the whole match and \\ a backslash.
    QVector<Replacement> replacements(const QString& text, const QString& replacement) const;
    static QString applied(const QString& text, const QVector<Replacement>& replacements);

private:
    QString expand(const Match& match, const QString& replacement) const;

    QString m_pattern;
    Options m_options;
    QRegularExpression m_regex;
    bool m_valid = false;
    QString m_error;
};

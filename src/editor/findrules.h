#pragma once

#include <QString>

// The rules behind the find dialog: what its search code means and what replace-all does
// to the chapter's text. No widgets here; the main window applies the results.
namespace FindRules {

// The code the dialog sends with a search: 1 when searching towards the end of the text,
// plus 10 when the case is ignored.
qint8 searchCode(bool forward, bool caseInsensitive);

struct SearchMode {
    bool backward = false;
    bool caseSensitive = false;
};

// Codes 0, 1, 10 and 11 as the dialog sends them; anything else searches forward and
// ignores case, like 11.
SearchMode searchMode(qint8 code);

// An editor selection as the editor's plain text shows it: the selection carries paragraph
// and line separators where the plain text has line feeds, and non-breaking spaces where
// the plain text has spaces.
QString selectionAsPlainText(const QString& selected);

// An editor selection as the chapter's file holds it (editorPlainText): paragraph breaks
// are line feeds, no-break spaces and line separators stay what they are.
QString selectionAsRawText(const QString& selected);

// The chapter's raw `text` with every occurrence of the selection replaced by
// `replacement`, left to right and without overlaps. The selection is compared in its raw
// form: a selection across a paragraph break is found, and the no-break spaces of the rest
// of the chapter are left alone.
QString replaceAll(const QString& text, const QString& selected, const QString& replacement,
                   bool caseInsensitive);

} // namespace FindRules

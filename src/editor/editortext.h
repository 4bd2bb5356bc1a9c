#pragma once

#include <QString>

class QTextDocument;

// The editor's text as its file must hold it. QTextDocument::toPlainText() turns no-break
// spaces into plain spaces, and chapters pasted from web pages are full of them; the raw
// text keeps every character and only the paragraph breaks become line feeds again.
QString editorPlainText(const QTextDocument* document);

// The text as the author reads it, the one that is counted and typeset: no-break spaces are
// spaces and line separators end lines, as QTextDocument::toPlainText() shows it. Web pages
// indent with no-break spaces; counting them would raise the royalty, and 删除空格 must see
// them.
QString editorReadingText(const QTextDocument* document);

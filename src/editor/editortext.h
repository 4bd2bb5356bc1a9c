#pragma once

#include <QString>

class QTextDocument;

// The editor's text as its file must hold it. QTextDocument::toPlainText() turns no-break
// spaces into plain spaces, and chapters pasted from web pages are full of them; the raw
// text keeps every character and only the paragraph breaks become line feeds again.
QString editorPlainText(const QTextDocument* document);

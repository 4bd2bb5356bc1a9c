#include "editor/editortext.h"

#include <QTextDocument>

QString editorPlainText(const QTextDocument* document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString editorReadingText(const QTextDocument* document) { return document->toPlainText(); }

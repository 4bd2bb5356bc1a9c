#include "editor/editortext.h"

#include <QTextDocument>

QString editorPlainText(const QTextDocument* document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString editorReadingText(const QTextDocument* document)
{
    QString text = editorPlainText(document);
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

#pragma once

#include <QString>
#include <QVector>

// A whole book as one text: for every chapter in catalog order three line feeds, the
// heading "<volume>    <chapter>", three line feeds and the chapter's text.
namespace BookExport {

struct Chapter {
    QString volume;
    QString name;
};

QString block(const QString& volume, const QString& chapter, const QString& text);

// The blocks of `chapters`, whose files are <bookDir>/<volume>/<name>.txt. Stops at the
// first chapter that cannot be read and returns false; `text` then holds the chapters
// before it.
bool assemble(const QString& bookDir, const QVector<Chapter>& chapters, QString* text);

} // namespace BookExport

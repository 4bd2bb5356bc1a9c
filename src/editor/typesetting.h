#pragma once

#include <QString>

class QSettings;

// The two layouts of a Chinese web-novel manuscript: what Return inserts, and the whole
// chapter re-laid by one click. The indent unit is two ASCII spaces.
namespace Typesetting {

struct OneKeyOptions {
    bool removeSpaces = true;
    bool removeLines = false;
    bool firstIndent = true;
    int indentNumber = 2;
};

struct EnterOptions {
    bool brokenRows = true;
    bool firstIndent = true;
    int indentNumber = 2;
};

// Both read at the moment of use, so a saved change applies to the very next key.
OneKeyOptions oneKeyOptions(const QSettings& settings);
EnterOptions enterOptions(const QSettings& settings);

// n units of two ASCII spaces; empty for n <= 0.
QString indent(int n);

// The whole text re-laid: spaces removed, line breaks collapsed, paragraphs separated and
// indented uniformly.
QString oneKey(QString text, const OneKeyOptions& options);

// What Return inserts at the cursor: the paragraph break, the optional blank line and the
// indent.
QString enterInsertion(const EnterOptions& options);

} // namespace Typesetting

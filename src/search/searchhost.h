#pragma once

#include "search/searchtarget.h"
#include "search/textmatcher.h"

#include <QVector>

#include <functional>

// What the search window needs from the rest of the program, and no more: the chapters to
// look at, a way to open one and a way to change the open one. The main window fills it in;
// a test can fill it with lambdas.
struct SearchHost {
    // The chapters of the open book, or of the whole library, in catalog order; the open
    // chapter carries the editor's text.
    std::function<QVector<SearchTarget>(bool wholeLibrary)> targets;
    // Opens the chapter as a click in the catalog does and selects [start, start + length).
    std::function<void(const SearchTarget& chapter, int start, int length)> open;
    // Applies the replacements to the text in the editor as one edit.
    std::function<void(const QVector<TextMatcher::Replacement>& changes)> replaceInEditor;
};

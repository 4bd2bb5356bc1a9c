#pragma once

#include <QString>

#include <functional>

// The one road by which the program tells the user something in a modal box.
// Kinds: 0 information, 1 question (result 1 = confirmed), 2 error.
// Tests replace the presenter to record messages instead of blocking on a modal box.
namespace Messages {

enum Kind { Information = 0, Question = 1, Error = 2 };

using Presenter = std::function<int(const QString& text, int kind)>;

int show(const QString& text, int kind);
inline void error(const QString& text) { show(text, Error); }
inline void information(const QString& text) { show(text, Information); }
inline bool confirm(const QString& text) { return show(text, Question) == 1; }

// Installs a presenter; an empty one restores the program's own message box.
void setPresenter(Presenter presenter);

} // namespace Messages

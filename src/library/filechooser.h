#pragma once

#include <QString>

#include <functional>

class QWidget;

// Where the user picks the directory of a book to import, the text file of a whole book to
// import and the file a book is exported to. File dialogs in the program; tests put their
// own choice in place.
namespace FileChooser {

using DirectoryChooser = std::function<QString(QWidget* parent)>;
using SaveChooser = std::function<QString(QWidget* parent, const QString& proposedName)>;

// Empty when the user cancelled.
QString importDirectory(QWidget* parent);
QString exportFile(QWidget* parent, const QString& proposedName);
QString importTextFile(QWidget* parent);

// Empty functions restore the file dialogs.
void setImportChooser(DirectoryChooser chooser);
void setExportChooser(SaveChooser chooser);
void setImportTextChooser(DirectoryChooser chooser);

} // namespace FileChooser

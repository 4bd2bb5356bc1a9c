#pragma once

#include <QString>
#include <QStringList>

class QProcess;

// Application directories for the start-up batch.
namespace StartInstall {

// Puts `executable` into `dir` under its own name, with the sound/ and plugins/ folders of
// the built application directory when `withAppFolders`. Files are hard links where the
// file system allows (the copy would be the same bytes, and a fresh directory per run
// should not cost a copy of the program); the program still sees `dir` as its own.
// Returns the installed executable's path, empty on failure.
QString install(const QString& executable, const QString& dir, bool withAppFolders);

// Adds a book of `chapters` chapters in volumes of 100 to the library of the application
// directory `dir`, through the program's own catalog store: rows in sys.db and the files.
bool addLargeBook(const QString& dir, int chapters);

// The environment of a batch's programs: its own display and session bus, and a home under
// `root`, so that whatever the programs or Qt write stays in the batch's directory.
QStringList environment(const QString& root, const QByteArray& display, const QString& busAddress);

// A desktop session has a session bus, which Qt's X11 support talks to at start. Starts one
// for the batch, its socket in `root`; returns its address, empty when there is none.
QString startSessionBus(QProcess& bus, const QString& root);

} // namespace StartInstall

#pragma once

#include <QString>

// Where the autosave keeps its time-stamped copy of the open file: in `backupDir`, named
// book_volume_chapter_T.txt (book_index_T.txt, book_volume_index_T.txt for the text of a
// book or volume), T being milliseconds since the epoch (UTC).
QString backupPath(const QString& openFile, const QString& libraryPrefix, const QString& backupDir,
                   qint64 msecsSinceEpoch);

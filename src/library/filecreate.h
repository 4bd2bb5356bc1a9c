#pragma once

#include <QWidget>

// The file operations of the library's text store. Every operation works only on its
// arguments, so they are static; the class is a widget only because the main window owns
// one as its file store object. Failures are shown to the user in an error box.
class FileCreate : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Creates one directory level when nothing exists at `path`.
    static bool createDir(const QString& path);
    // Creates an empty file when nothing exists at `path`.
    static bool createFile(const QString& path);
    // Rewrites an existing file with `text`; an empty text or a missing file writes nothing.
    // True only when the text was written.
    static bool saveFile(const QString& path, const QString& text);
    // Deletes a directory tree, read-only entries included; true when it is gone.
    static bool deleteDir(const QString& path);
    // Copies a file or a directory tree onto a target that must not exist yet; adds one to
    // *count for every file copied.
    static bool copyRecursively(const QString& src, const QString& dst, int* count);
    // Text of the embedded style sheet ":/image/<name>", empty when there is none.
    static QString loadStyleSheet(const QString& name);
    // Writes config.ini with every default.
    static void writeDefaultConfig();
};

#pragma once

#include <QObject>
#include <QString>

class QTextEdit;

// The chapter shown in the editor and every write of it. It knows the open file, the text
// that file holds as far as this program wrote or read it, and the one save rule: a file is
// written only when it exists, the editor's text is not empty and differs from what the file
// holds. Renames carry the open path along; a delete of the file or of a directory above it
// empties the editor, so the old text can never land in whatever later takes that path.
class OpenChapter : public QObject
{
    Q_OBJECT
public:
    enum class Opened { NotAFile, Unreadable, Yes };

    explicit OpenChapter(QTextEdit* editor, QObject* parent = nullptr);

    const QString& path() const { return m_path; }
    // The chapter of the last session, remembered without showing it: the editor stays empty.
    void restore(const QString& path);
    // Shows the file's text and makes it the open chapter; on failure nothing changes.
    Opened open(const QString& file);

    // Whether the editor's text differs from what the open file holds.
    bool isChanged() const;
    // The save of every trigger (item switch, Return, Ctrl+S, focus out, autosave, quit,
    // delete, move, export, rename); true when the file was written.
    bool save();
    // The autosave tick: once the author has edited, a time-stamped copy goes to `backupDir`
    // and the file is saved.
    void autosave(const QString& libraryPrefix, const QString& backupDir, qint64 now);

    // `oldPath` (the chapter file, or a book's or volume's directory) is now `newPath`; true
    // when that moved the open chapter.
    bool followRename(const QString& oldPath, const QString& newPath);
    // `path` (a chapter file or a directory) is gone: when the open chapter is it or lies
    // below it, the editor is emptied and the chapter forgotten. True when it was.
    bool forgetDeleted(const QString& path);

signals:
    // The open chapter was forgotten; the editor is empty.
    void forgotten();
    // A save was asked for, whether or not the file then needs writing: what goes to disk
    // with the chapter (the writing log) is written now too.
    void saving();

private:
    bool write(const QString& text);

    QTextEdit* m_editor;
    QString m_path;
    // What the open file holds: the text shown when it was opened or last written.
    QString m_onDisk;
    // Set while the save-failure box is up: the box takes the focus, and the editor's
    // focus-out save must not stack a second box on the first.
    bool m_reportingFailure = false;
};

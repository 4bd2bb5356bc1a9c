#include "editor/openchapter.h"

#include "app/logcategories.h"
#include "app/messages.h"
#include "editor/backupname.h"
#include "editor/editortext.h"
#include "library/filecreate.h"
#include "library/textfile.h"

#include <QFileInfo>
#include <QTextEdit>

OpenChapter::OpenChapter(QTextEdit* editor, QObject* parent) : QObject(parent), m_editor(editor) {}

void OpenChapter::restore(const QString& path)
{
    m_path = path;
    m_onDisk.clear();
}

OpenChapter::Opened OpenChapter::open(const QString& file)
{
    if (!QFileInfo(file).isFile())
        return Opened::NotAFile;
    QString text;
    if (!TextFile::read(file, &text))
        return Opened::Unreadable;
    // Plain text only: a chapter that starts like markup must come back exactly as typed.
    // Through the editor, which also puts its cursor at the start.
    m_editor->setPlainText(text);
    m_path = file;
    // As the editor gives it back (a lone carriage return becomes a paragraph): the text that
    // counts as unchanged is what a save would write for this file untouched.
    m_onDisk = editorPlainText(m_editor->document());
    return Opened::Yes;
}

bool OpenChapter::isChanged() const
{
    return !m_path.isEmpty() && editorPlainText(m_editor->document()) != m_onDisk;
}

bool OpenChapter::save()
{
    emit saving();
    if (m_path.isEmpty())
        return false;
    const QString text = editorPlainText(m_editor->document());
    // Unchanged text is not written back: a file read with a guessed encoding keeps its
    // bytes, and the disk is spared a rewrite on every item switch.
    if (text.isEmpty() || text == m_onDisk || !QFileInfo::exists(m_path))
        return false;
    return write(text);
}

void OpenChapter::autosave(const QString& libraryPrefix, const QString& backupDir, qint64 now)
{
    // The modified flag is never cleared by saving, so once the author has typed, every
    // tick leaves another copy: the backups are the chapter's version history.
    if (m_path.isEmpty() || !m_editor->document()->isModified())
        return;
    const QString backup = backupPath(m_path, libraryPrefix, backupDir, now);
    FileCreate::createFile(backup);
    FileCreate::saveFile(backup, editorPlainText(m_editor->document()));
    save();
}

bool OpenChapter::followRename(const QString& oldPath, const QString& newPath)
{
    if (m_path.isEmpty())
        return false;
    if (m_path == oldPath)
        m_path = newPath;
    else if (m_path.startsWith(oldPath + QLatin1Char('/')))
        m_path = newPath + m_path.mid(oldPath.size());
    else
        return false;
    return true;
}

bool OpenChapter::forgetDeleted(const QString& path)
{
    if (m_path.isEmpty() || (m_path != path && !m_path.startsWith(path + QLatin1Char('/'))))
        return false;
    m_path.clear();
    m_onDisk.clear();
    m_editor->setPlainText(QString());
    m_editor->document()->setModified(false);
    emit forgotten();
    return true;
}

bool OpenChapter::write(const QString& text)
{
    QString reason;
    if (TextFile::writeAtomic(m_path, text, &reason)) {
        m_onDisk = text;
        return true;
    }
    qCWarning(lcEditor).noquote() << "save failed:" << m_path << reason;
    if (!m_reportingFailure) {
        m_reportingFailure = true;
        Messages::error(tr("保存文件失败！"));
        m_reportingFailure = false;
    }
    return false;
}

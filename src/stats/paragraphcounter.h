#pragma once

#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

class QTextDocument;

// The open chapter's character count, kept per paragraph and updated from the document's
// change notifications, so that a key costs the same on a short and a very long chapter.
// Each change is also measured as characters added and removed (by the same counting rule),
// which is what the writing log records. Changes made while the document's undo is off are
// the program's own (opening a chapter, one-key typesetting and replacing all each set the whole
// text that way) and are counted but not reported as writing.
class ParagraphCounter : public QObject
{
    Q_OBJECT
public:
    explicit ParagraphCounter(QTextDocument* document, QObject* parent = nullptr);

    int total() const { return m_total; }

    // Counts the whole document again (after it was replaced wholesale).
    void rebuild();

    // Runs an edit of the program's own that keeps the undo history (a replace across
    // chapters reaching the open one): counted, but not the author's writing.
    void programEdit(const std::function<void()>& edit);

signals:
    void written(int added, int removed);

private:
    void contentsChange(int position, int removed, int added);

    QTextDocument* m_document;
    // A copy of each paragraph's text: Qt reports a change's extent but not the text it
    // removed, and sometimes reports far more than changed; comparing old and new text of
    // the touched paragraphs gives the exact difference.
    QVector<QString> m_texts;
    QVector<int> m_counts;
    int m_total = 0;
    int m_programEdits = 0;
};

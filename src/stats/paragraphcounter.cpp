#include "stats/paragraphcounter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// The program's count of text as the author reads it: no-break spaces are spaces and line
// separators end lines, and neither counts, like line feeds and ASCII spaces.
int readingCount(const QString& text)
{
    int count = 0;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u != '\n' && u != ' ' && u != QChar::Nbsp && u != QChar::LineSeparator)
            ++count;
    }
    return count;
}

} // namespace

ParagraphCounter::ParagraphCounter(QTextDocument* document, QObject* parent)
    : QObject(parent), m_document(document)
{
    // The document reports its changes only once it has a layout (an editor gives it one).
    document->documentLayout();
    rebuild();
    connect(document, &QTextDocument::contentsChange, this, &ParagraphCounter::contentsChange);
}

void ParagraphCounter::rebuild()
{
    m_texts.clear();
    m_counts.clear();
    m_total = 0;
    m_texts.reserve(m_document->blockCount());
    m_counts.reserve(m_document->blockCount());
    for (QTextBlock b = m_document->begin(); b.isValid(); b = b.next()) {
        m_texts.append(b.text());
        m_counts.append(readingCount(m_texts.last()));
        m_total += m_counts.last();
    }
}

void ParagraphCounter::programEdit(const std::function<void()>& edit)
{
    ++m_programEdits;
    edit();
    --m_programEdits;
}

void ParagraphCounter::contentsChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    const bool authored = m_document->isUndoRedoEnabled() && m_programEdits == 0;
    const int last = std::max(0, m_document->characterCount() - 1);
    const QTextBlock firstBlock = m_document->findBlock(std::clamp(position, 0, last));
    const QTextBlock lastBlock = m_document->findBlock(std::clamp(position + added, 0, last));
    const int first = firstBlock.blockNumber();
    const int newBlocks = lastBlock.blockNumber() - first + 1;
    const int oldBlocks = newBlocks - (m_document->blockCount() - m_texts.size());
    if (first < 0 || newBlocks < 1 || oldBlocks < 1 || first + oldBlocks > m_texts.size()) {
        const int before = m_total;
        rebuild();
        if (authored && m_total != before)
            emit written(std::max(0, m_total - before), std::max(0, before - m_total));
        return;
    }

    QString oldText, newText;
    int oldSum = 0;
    for (int i = first; i < first + oldBlocks; ++i) {
        oldText += m_texts[i] + QLatin1Char('\n');
        oldSum += m_counts[i];
    }
    QVector<QString> texts;
    QVector<int> counts;
    int newSum = 0;
    for (QTextBlock b = firstBlock; b.isValid() && b.blockNumber() < first + newBlocks;
         b = b.next()) {
        texts.append(b.text());
        counts.append(readingCount(texts.last()));
        newSum += counts.last();
        newText += texts.last() + QLatin1Char('\n');
    }
    // A key within one paragraph keeps the paragraph count: no shifting of the rest.
    if (oldBlocks != newBlocks) {
        m_texts.remove(first, oldBlocks);
        m_counts.remove(first, oldBlocks);
        m_texts.insert(first, newBlocks, QString());
        m_counts.insert(first, newBlocks, 0);
    }
    std::copy(texts.cbegin(), texts.cend(), m_texts.begin() + first);
    std::copy(counts.cbegin(), counts.cend(), m_counts.begin() + first);
    m_total += newSum - oldSum;
    if (!authored || oldText == newText)
        return;

    // The difference is what lies between the common start and the common end.
    const int shorter = std::min(oldText.size(), newText.size());
    int head = 0;
    while (head < shorter && oldText[head] == newText[head])
        ++head;
    int tail = 0;
    while (tail < shorter - head &&
           oldText[oldText.size() - 1 - tail] == newText[newText.size() - 1 - tail])
        ++tail;
    const int gained = readingCount(newText.mid(head, newText.size() - head - tail));
    const int lost = readingCount(oldText.mid(head, oldText.size() - head - tail));
    if (gained || lost)
        emit written(gained, lost);
}

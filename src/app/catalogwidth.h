#pragma once

// How wide the catalog column beside the editor is: wide enough for the longest name the
// tree shows, never so wide that it takes the writing room. Widths are in pixels; the text
// widths come from the caller's font metrics, so this stays free of widgets.
class CatalogWidth
{
public:
    // A new window starts between these two widths.
    static constexpr int StartMinimum = 180;
    static constexpr int StartMaximum = 320;
    // The author may drag the column down to this width, and up to half the window.
    static constexpr int DragMinimum = 120;

    // What one tree row costs besides its text: the indentation per level (the top level
    // is indented once more when the root is decorated) and the item's own padding; and what
    // the column adds around the tree (frame, margins, vertical scroll bar).
    struct Metrics {
        int indentation = 20;
        bool rootDecorated = true;
        int itemPadding = 0;
        int columnExtra = 0;
    };

    explicit CatalogWidth(const Metrics& metrics) : m_metrics(metrics) {}

    // Takes one shown row at `depth` (0 for a book) whose name is `textWidth` wide. False
    // once the widest start width is reached: no further row can change the result.
    bool addRow(int depth, int textWidth);
    // The width that shows every row taken so far without cutting a name.
    int neededWidth() const;
    // The width a new window starts with.
    int startWidth() const;

    // The widest the author may drag the column in a window `windowWidth` wide.
    static int dragMaximum(int windowWidth);
    // `width` kept within what the author may drag to in a window `windowWidth` wide.
    static int limited(int width, int windowWidth);

private:
    Metrics m_metrics;
    int m_widestRow = 0;
};

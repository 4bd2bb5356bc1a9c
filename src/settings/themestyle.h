#pragma once

#include <QString>

class QSettings;

// The current theme as stored in config.ini, and the style sheets the main window gets
// from it.
struct ThemeValues {
    QString text;   // text colour
    QString bg;     // editor background
    QString window; // sidebar and window
    QString label;  // the strips beside the editor
    QString image;  // background picture path, empty for none
    QString fontSize;
    QString fontFamily;
    QString leftMargin;
    QString rightMargin;

    // "UIOption_" followed by curThemeOption/Theme_Number as stored.
    static QString currentGroup(const QSettings& settings);
    static ThemeValues readCurrent(const QSettings& settings);
};

struct ThemeSheets {
    QString application; // the base sheet, plus the window rule when there is no picture
    QString editorContainer;
    QString tree;
    QString formatRow;
    QString titleBar;
    QString sideStrips;
    QString bottomStrip;
    QString toolBar;
    QString statusLabels;

    // With a picture the editor, the tree and the strips turn transparent so the picture
    // drawn behind the whole window shows through.
    static ThemeSheets build(const ThemeValues& theme, const QString& baseSheet);
};

// Paragraph margins of the editor in pixels: the theme's values when the window is maximised
// or full screen, none otherwise (a normal window is too narrow for them).
struct EditorMargins {
    double left = 0;
    double right = 0;
    static EditorMargins forWindow(const QSettings& settings, bool maximisedOrFullScreen);
};

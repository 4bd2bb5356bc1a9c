#pragma once

#include <QString>

// What the status bar and the title show after one recount of the open chapter.
struct CountDisplay {
    QString label;      // "总字数:N\t稿费:R"
    QString styleSheet; // red at or above the target, the theme's text colour below it
    bool playSound = false;

    // `priceText` and `targetText` are the stored settings (non-numeric text counts as 0).
    // `soundPlayed` is true while the current crossing of the target has sounded; it is
    // updated here so that each crossing sounds exactly once.
    static CountDisplay compute(int count, const QString& priceText, const QString& targetText,
                                const QString& textColour, bool& soundPlayed);

    static QString labelText(float count, float price);
};

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/platform/soundplayer.h"
#include "editor/chaptertitle.h"
#include "editor/charcount.h"
#include "editor/countdisplay.h"
#include "editor/editortext.h"
#include "editor/openchapter.h"
#include "settings/config.h"
#include "settings/themestyle.h"

#include <QLabel>
#include <QSettings>

void MainWindow::on_textEdit_cursorPositionChanged()
{
    const int count = openChapterCount();
    const QString textColour =
        settings->value(ThemeValues::currentGroup(*settings) + "/" + Config::TextColor).toString();
    const CountDisplay d = CountDisplay::compute(
        count, settings->value(Config::Price).toString(),
        settings->value(Config::WordPreChapters).toString(), textColour, lockSoundPlayed);
    // Re-setting an unchanged sheet would re-polish the label on every keystroke.
    if (statusCountLabel->styleSheet() != d.styleSheet)
        statusCountLabel->setStyleSheet(d.styleSheet);
    if (d.playSound)
        Sounds::play(QStringLiteral("lock.wav"));
    statusCountLabel->setText(d.label);
    ui->label_chapterTitle->setText(ChapterTitle::starred(openChapter->path()));
}

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "app/backgroundpicture.h"
#include "app/sheetonshow.h"
#include "library/filecreate.h"
#include "settings/dialogsetting.h"
#include "settings/themestyle.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QTextBlock>

void MainWindow::on_settings_clicked()
{
    auto* dialog = qobject_cast<DialogSetting*>(settingDialog);
    if (!dialog) {
        dialog = new DialogSetting(AppDirs::configPath(), this);
        settingDialog = dialog;
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect g = screen->geometry();
        if (g.right() - g.left() > 1919) {
            ui->lab_Ico->resize(20, 20);
            dialog->resize(600, 850);
            resize(1200, 1005);
        } else {
            ui->lab_Ico->resize(15, 15);
            dialog->resize(420, 600);
            resize(800, 705);
        }
        const QRect desktop = screen->virtualGeometry();
        move(desktop.width() / 2 - width() / 2, desktop.height() / 2 - height() / 2);
        connect(dialog, &DialogSetting::save_success, this, &MainWindow::save_success_update);
    }
    dialog->loadSettings();
    dialog->show();
    dialog->raise();
}

void MainWindow::save_success_update()
{
    const ThemeValues theme = ThemeValues::readCurrent(*settings);
    const ThemeSheets sheets = themeSheets(theme);
    bgImagePath = theme.image;
    if (bgPicture)
        bgPicture->forget();
    if (!bgImagePath.isEmpty())
        update();
    applyApplicationSheet(sheets.application);

    ui->wiget_textEdit->setStyleSheet(sheets.editorContainer);
    ui->treeView->setStyleSheet(sheets.tree);
    setStyleSheetWhenShown(ui->widget_tool1, sheets.formatRow);
    ui->widget_title->setStyleSheet(sheets.titleBar);
    applyEditorMargins();
    ui->left_label->setStyleSheet(sheets.sideStrips);
    ui->right_label->setStyleSheet(sheets.sideStrips);
    ui->bottom_label->setStyleSheet(sheets.bottomStrip);
    ui->Widget_tool->setStyleSheet(sheets.toolBar);
    applyIconRowInk(theme.text);
    for (QLabel* label : {statusPathLabel, statusClockLabel, statusCountLabel})
        label->setStyleSheet(sheets.statusLabels);

    ui->font_size->setCurrentText(theme.fontSize);
    const QFont font(theme.fontFamily);
    ui->font->setCurrentFont(font);
    on_font_currentFontChanged(font);
    updateGoalLabel();
}

void MainWindow::applyApplicationSheet(const QString& sheet)
{
    // Setting the same sheet again would still polish every widget of every window.
    if (qApp->styleSheet() != sheet)
        qApp->setStyleSheet(sheet);
}

ThemeSheets MainWindow::themeSheets(const ThemeValues& theme)
{
    return ThemeSheets::build(theme, FileCreate::loadStyleSheet("gray"));
}

void MainWindow::applyEditorMargins()
{
    setParagraphMargins();
    ui->textEdit->setTextCursor(QTextCursor(ui->textEdit->document()->lastBlock()));
}

void MainWindow::setParagraphMargins()
{
    const bool wide = ui->btnMenu_Max->isChecked() || isFullScreen();
    const EditorMargins m = EditorMargins::forWindow(*settings, wide);
    // One edit block: a single undo step and a single layout update for the whole document.
    // Paragraphs that already have the margins are left alone, so re-applying them is not an
    // edit: an untouched empty chapter stays unmodified and the autosave leaves it be.
    QTextDocument* doc = ui->textEdit->document();
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.leftMargin() == m.left && format.rightMargin() == m.right)
            continue;
        format.setLeftMargin(m.left);
        format.setRightMargin(m.right);
        QTextCursor(block).setBlockFormat(format);
    }
    edit.endEditBlock();
}

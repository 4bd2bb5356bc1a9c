#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "library/filecreate.h"

#include <QFileInfo>

bool MainWindow::saveOpenChapter()
{
    const QString text = ui->textEdit->toPlainText();
    if (text.isEmpty() || !QFileInfo::exists(curOpenChapter))
        return false;
    return FileCreate::saveFile(curOpenChapter, text);
}

void MainWindow::timer_save_slot() {}
void MainWindow::on_textEdit_cursorPositionChanged() {}
void MainWindow::on_textEdit_customContextMenuRequested(const QPoint& pos) { Q_UNUSED(pos); }
void MainWindow::on_one_key_clicked() {}
void MainWindow::on_search_clicked() {}
void MainWindow::str_find_slot(const QString& text, qint8 code)
{
    Q_UNUSED(text);
    Q_UNUSED(code);
}
void MainWindow::str_replace_slot(const QString& text, bool all, bool caseSensitive)
{
    Q_UNUSED(text);
    Q_UNUSED(all);
    Q_UNUSED(caseSensitive);
}
void MainWindow::on_font_size_currentIndexChanged(const QString& size) { Q_UNUSED(size); }
void MainWindow::on_font_currentFontChanged(const QFont& font) { Q_UNUSED(font); }
void MainWindow::on_bold_clicked(bool checked) { Q_UNUSED(checked); }
void MainWindow::on_font_big_clicked() {}
void MainWindow::on_font_samll_clicked() {}
void MainWindow::on_left_justified_clicked() {}
void MainWindow::on_center_clicked() {}
void MainWindow::on_right_justified_clicked() {}
void MainWindow::on_undo_clicked() {}
void MainWindow::on_redo_clicked() {}
void MainWindow::clearFormat_slot() {}
void MainWindow::searchInBaidu_slot() {}

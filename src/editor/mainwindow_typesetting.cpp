#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "editor/chaptertitle.h"
#include "editor/editorkeys.h"
#include "editor/editortext.h"
#include "editor/typesetting.h"

#include <QKeyEvent>
#include <QSettings>

void MainWindow::on_one_key_clicked()
{
    const QString text = Typesetting::oneKey(editorReadingText(ui->textEdit->document()),
                                             Typesetting::oneKeyOptions(*settings));
    // As plain text: a chapter that happens to begin like markup must keep its tags.
    ui->textEdit->setPlainText(text);
    // The cursor goes to the start anyway: placing it at the last paragraph first, as the
    // theme does, would lay out the whole chapter only to scroll back.
    setParagraphMargins();
    // The typeset text is not what the file holds until the next save; the autosave must see
    // it as an edit even when the margins were already in place.
    ui->textEdit->document()->setModified(true);
    ui->textEdit->moveCursor(QTextCursor::Start);
    ui->textEdit->setFocus();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    using EditorKeys::Action;
    using EditorKeys::Target;
    const Target target = watched == ui->textEdit       ? Target::Editor
                          : watched == this             ? Target::Window
                          : watched == ui->widget_title ? Target::TitleBar
                                                        : Target::Other;
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    if (event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        key = k->key();
        modifiers = k->modifiers();
    }
    const Action action = EditorKeys::action(target, event->type(), key, modifiers,
                                             isFullScreen(), lockActive);
    switch (action) {
    case Action::None:
        return QMainWindow::eventFilter(watched, event);
    case Action::EnterTypesetting: {
        QTextCursor cursor = ui->textEdit->textCursor();
        cursor.insertText(Typesetting::enterInsertion(Typesetting::enterOptions(*settings)));
        ui->textEdit->setTextCursor(cursor);
        saveOpenChapter();
        break;
    }
    case Action::Save:
        saveOpenChapter();
        ui->label_chapterTitle->setText(ChapterTitle::plain(curOpenChapter));
        break;
    case Action::Undo:
        ui->textEdit->undo();
        break;
    case Action::Copy:
        ui->textEdit->copy();
        break;
    case Action::Paste:
        ui->textEdit->paste();
        break;
    case Action::SelectAll:
        ui->textEdit->selectAll();
        break;
    case Action::Bold:
        ui->bold->click();
        break;
    case Action::AlignLeft:
        ui->left_justified->click();
        break;
    case Action::AlignRight:
        ui->right_justified->click();
        break;
    case Action::Centre:
        ui->center->click();
        break;
    case Action::FontBigger:
        ui->font_big->click();
        break;
    case Action::FontSmaller:
        ui->font_samll->click();
        break;
    case Action::SaveOnFocusOut:
        saveOpenChapter();
        break;
    case Action::LeaveFullScreen:
        ui->fullScreen->click();
        break;
    case Action::ToggleMaximise:
        ui->btnMenu_Max->click();
        break;
    }
    return EditorKeys::consumes(action) || QMainWindow::eventFilter(watched, event);
}

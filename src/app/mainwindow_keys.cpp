#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "editor/chaptertitle.h"
#include "editor/editorkeys.h"
#include "editor/openchapter.h"
#include "editor/typesetting.h"
#include "lock/writinglock.h"

#include <QKeyEvent>
#include <QSettings>

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
    const Action action = EditorKeys::action(target, event->type(), key, modifiers, isFullScreen(),
                                             writingLock->isActive());
    switch (action) {
    case Action::None:
        return QMainWindow::eventFilter(watched, event);
    case Action::EnterTypesetting: {
        QTextCursor cursor = ui->textEdit->textCursor();
        cursor.insertText(Typesetting::enterInsertion(Typesetting::enterOptions(*settings)));
        ui->textEdit->setTextCursor(cursor);
        openChapter->save();
        break;
    }
    case Action::Save:
        openChapter->save();
        ui->label_chapterTitle->setText(ChapterTitle::plain(openChapter->path()));
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
        openChapter->save();
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

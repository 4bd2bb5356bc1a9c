#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/platform/desktopservices.h"
#include "settings/config.h"

#include <QMenu>
#include <QSettings>

namespace {

template <typename Receiver, typename Slot>
QAction* addEntry(QMenu* menu, const QString& text, QWidget* owner, Receiver* receiver, Slot slot)
{
    auto* action = new QAction(text, owner);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    menu->addAction(action);
    return action;
}

} // namespace

void MainWindow::createMenus()
{
    bookMenu = new QMenu(this);
    addEntry(bookMenu, tr("新建卷"), this, this, &MainWindow::newVolume_slot);
    addEntry(bookMenu, tr("删除此书"), this, this, &MainWindow::deleteBooks_slot);
    bookMenu->addSeparator();
    addEntry(bookMenu, tr("导出此书"), this, this, &MainWindow::exportBooks_slot);

    volumeMenu = new QMenu(this);
    addEntry(volumeMenu, tr("新建章节"), this, this, &MainWindow::newChapter_slot);

    chapterMenu = new QMenu(this);
    addEntry(chapterMenu, tr("新建章节"), this, this, &MainWindow::new_Chapter_slot);
    addEntry(chapterMenu, tr("插入章节"), this, this, &MainWindow::insertChapter_slot);
    chapterMenu->addSeparator();
    addEntry(chapterMenu, tr("上移章节"), this, this, &MainWindow::upChapter_slot);
    addEntry(chapterMenu, tr("下移章节"), this, this, &MainWindow::downChapter_slot);
    chapterMenu->addSeparator();
    addEntry(chapterMenu, tr("删除此章"), this, this, &MainWindow::deleteChapter_slot);

    blankMenu = new QMenu(this);
    addEntry(blankMenu, tr("创建新书"), this, this, &MainWindow::newBooks_slot);
    addEntry(blankMenu, tr("导入书籍"), this, this, &MainWindow::importBooks_slot);
    addEntry(blankMenu, tr("回收站"), this, this, &MainWindow::recycle_slot);
    addEntry(blankMenu, tr("时光机"), this, this, &MainWindow::bak_slot);

    QTextEdit* editor = ui->textEdit;
    textMenu = new QMenu(this);
    addEntry(textMenu, tr("复制"), this, editor, &QTextEdit::copy);
    addEntry(textMenu, tr("粘贴"), this, editor, &QTextEdit::paste);
    textMenu->addSeparator();
    addEntry(textMenu, tr("剪切"), this, editor, &QTextEdit::cut);
    textMenu->addSeparator();
    addEntry(textMenu, tr("全选"), this, editor, &QTextEdit::selectAll);
    textMenu->addSeparator();
    addEntry(textMenu, tr("清除格式"), this, this, &MainWindow::clearFormat_slot);
    textMenu->addSeparator();
    addEntry(textMenu, tr("在百度中搜索"), this, this, &MainWindow::searchInBaidu_slot);

    mainMenu = new QMenu(this);
    keySoundAction = addEntry(mainMenu, tr("按键声音"), this, this, &MainWindow::keySound_slot);
    keySoundAction->setCheckable(true);
    const bool keySound = settings->value(Config::KeySound).toBool();
    keySoundAction->setChecked(keySound);
    Platform::services().setKeySoundEnabled(keySound);
    QMenu* computer = mainMenu->addMenu(tr("操作电脑"));
    addEntry(computer, tr("关机"), this, this, &MainWindow::shutDown_slot);
    addEntry(computer, tr("重启"), this, this, &MainWindow::reBoot_slot);
    addEntry(mainMenu, tr("关于"), this, this, &MainWindow::about_slot);
    menuQuitAction = addEntry(mainMenu, tr("退出"), this, this, &MainWindow::qApp_quit);
    addSearchEntry(mainMenu);
    ui->btnMenu->setMenu(mainMenu);
}

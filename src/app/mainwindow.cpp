#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "app/dragproxy.h"
#include "app/inkicon.h"
#include "app/messages.h"
#include "app/platform/desktopservices.h"
#include "editor/openchapter.h"
#include "library/filecreate.h"
#include "library/sqliteoper.h"
#include "lock/writinglock.h"
#include "settings/config.h"
#include "settings/themestyle.h"
#include "stats/writinglog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTimer>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    // The flags and the theme's application sheet come before the form: set afterwards, each
    // would polish every widget of it once more, and together they took a fifth of a start.
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    openConfig();
    applyApplicationSheet(themeSheets(ThemeValues::readCurrent(*settings)).application);
    ui->setupUi(this);

    ui->font->hide();
    ui->font_size->hide();
    ui->widget_tool1->hide();
    ui->widget_search->hide();
    ui->Widget_toolText->hide();
    ui->left_label->hide();
    ui->right_label->hide();

    dragProxy = new DragProxy(this);
    dragProxy->setBorderWidth(8, 8, 8, 8);
    applyIconGlyphs();

    initialise();
    if (!m_initialised)
        return;
    initCatalogTree();
    initCatalogPanel();
    initStatusBar();
    initStats();
    initTrayIcon();
    createShortcut();
}

MainWindow::~MainWindow()
{
    shortcut.reset();
    delete ui;
}

void MainWindow::initialise()
{
    for (const QString& dir : {AppDirs::dataDir(), AppDirs::libraryDir(), AppDirs::recycleDir(),
                               AppDirs::backupDir(), AppDirs::keyDir()})
        FileCreate::createDir(dir);
    const bool tableReady = SqliteOper::ensureBooksTable();
    ui->textEdit->setEnabled(false);

    sqliteOper = new SqliteOper(this);
    sqliteOper->hide();
    // A library whose index cannot be read would look empty and fill with starter items.
    if (!tableReady || !SqliteOper::openDatabase(db)) {
        Messages::error(tr("无法打开书库数据库 %1，程序将退出。").arg(AppDirs::databasePath()));
        return;
    }

    statusPathLabel = new QLabel(this);
    statusClockLabel = new QLabel(this);
    statusCountLabel = new QLabel(this);
    timerShow = new QTimer(this);
    timerSave = new QTimer(this);
    connect(timerShow, &QTimer::timeout, this, &MainWindow::timer_show_slot);
    connect(timerSave, &QTimer::timeout, this, &MainWindow::timer_save_slot);
    timerShow->start(1000);
    timerSave->start(180000);

    savedGeometry = geometry();

    fileCreate = new FileCreate(this);
    fileCreate->hide();
    model = new QStandardItemModel(ui->treeView);
    openChapter = new OpenChapter(ui->textEdit, this);
    writingLock = new WritingLock(
        this, [this] { return editorCharCount(); }, this);
    connect(writingLock, &WritingLock::ended, this, [this] { setLockMode(false); });
    // A forgotten chapter leaves nothing to type into: its text belongs to no file now.
    connect(openChapter, &OpenChapter::forgotten, this, [this] {
        ui->textEdit->setEnabled(false);
        ui->label_chapterTitle->clear();
        statusPathLabel->clear();
    });

    Platform::services().installKeyboardHook();
    setContextMenuPolicy(Qt::NoContextMenu);

    openChapter->restore(settings->value(Config::CurOpenChapter).toString());
    userDataDir = settings->value(Config::UserDataDir).toString();

    save_success_update();

    ui->textEdit->installEventFilter(this);
    ui->treeView->installEventFilter(this);
    installEventFilter(this);
    ui->widget_title->installEventFilter(this);
    lockSoundPlayed = false;
    m_initialised = true;
}

void MainWindow::openConfig()
{
    if (!QFileInfo::exists(AppDirs::configPath())) {
        FileCreate::createFile(AppDirs::configPath());
        FileCreate::writeDefaultConfig();
    }
    settings = Config::open(AppDirs::configPath(), this);
}

void MainWindow::initStatusBar()
{
    statusPathLabel->setMinimumSize(100, 20);
    statusCountLabel->setMinimumSize(100, 20);
    timer_show_slot();
    ui->statusBar->addWidget(statusPathLabel);
    ui->statusBar->addWidget(statusClockLabel);
    ui->statusBar->addWidget(statusCountLabel);
    ui->statusBar->setStyleSheet(QStringLiteral("QStatusBar::item{border: 0px}"));
    ui->statusBar->setSizeGripEnabled(false);
}

void MainWindow::timer_show_slot()
{
    const QString now =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss ddd"));
    statusClockLabel->setText(QStringLiteral("\t\t") + now + QStringLiteral("\t\t"));
    // Past midnight the goal label starts the new day without waiting for a key.
    updateGoalLabel();
}

void MainWindow::initTrayIcon()
{
    trayIcon = new QSystemTrayIcon(pictureIcon(QStringLiteral(":/icon/lorvane")), this);
    trayIcon->setToolTip(tr("Lorvane写作"));
    trayMenu = new QMenu(this);
    actMin = new QAction(tr("最小化"), this);
    actMax = new QAction(tr("最大化"), this);
    actQuit = new QAction(tr("退出程序"), this);
    connect(actMin, &QAction::triggered, this, &MainWindow::on_btnMenu_Min_clicked);
    connect(actMax, &QAction::triggered, this, &MainWindow::showMaximized);
    connect(actQuit, &QAction::triggered, this, &MainWindow::qApp_quit);
    trayMenu->addAction(actMin);
    trayMenu->addAction(actMax);
    trayMenu->addSeparator();
    trayMenu->addAction(actQuit);
    trayIcon->setContextMenu(trayMenu);
    trayIcon->show();
    connect(trayIcon, &QSystemTrayIcon::activated, this, &MainWindow::systemTrayActivated_slot);
}

void MainWindow::createShortcut()
{
    shortcut = Platform::services().createGlobalShortcut(QKeySequence(QStringLiteral("F8")), this);
    connect(shortcut.get(), &GlobalShortcut::activated, this, &MainWindow::myShortCutSlot);
}

QString MainWindow::curOpenChapter() const { return openChapter ? openChapter->path() : QString(); }

void MainWindow::saveSessionState()
{
    settings->setValue(Config::CurOpenChapter, openChapter->path());
    settings->setValue(Config::KeySound, keySoundAction && keySoundAction->isChecked());
    settings->sync();
    openChapter->save();
}

void MainWindow::qApp_quit()
{
    saveSessionState();
    db.close();
    for (QWidget* w : {recycleWindow, bakWindow, searchWindow, browserWindow, findDialog,
                       lockDialog, settingDialog, searchChaptersWindow, statsWindow}) {
        if (w)
            w->close();
    }
    Platform::services().removeKeyboardHook();
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A running writing lock ends only at its goal; hiding would be a way out as well.
    if (writingLock && writingLock->isActive()) {
        event->ignore();
        return;
    }
    // Without a tray the window cannot come back once hidden: closing then is a quit, and
    // a quit saves the open text.
    if (trayIcon && trayIcon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
        hide();
        event->ignore();
        return;
    }
    if (m_initialised) {
        event->ignore();
        qApp_quit();
        return;
    }
    event->accept();
}

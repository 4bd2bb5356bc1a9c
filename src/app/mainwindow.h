#pragma once

#include <QDate>
#include <QMainWindow>
#include <QModelIndex>
#include <QRect>
#include <QSqlDatabase>
#include <QSystemTrayIcon>
#include <QVector>

#include <functional>
#include <memory>

namespace Ui {
class MainWindow;
}

class QAction;
class QLabel;
class QMenu;
class QSettings;
class QStandardItemModel;
class QTimer;

namespace BookImport {
struct Volume;
} // namespace BookImport

struct ThemeSheets;
struct ThemeValues;
class BackgroundPicture;
class CatalogPanel;
class DragProxy;
class FileCreate;
class GlobalShortcut;
class ImBook_ProBar;
class OpenChapter;
class SqliteOper;
class WritingLock;

class ParagraphCounter;
class WritingLog;

// The program's one main window and composition root: it owns the form, the owners of the
// open chapter and of the writing lock, the library access objects, the timers, the tray
// icon and the secondary windows. Slot bodies are short wiring that calls those owners; they
// live beside this file, one mainwindow_<concern>.cpp per concern.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // False when start-up could not open the book index; the window must not be shown.
    bool isInitialised() const { return m_initialised; }
    // The chapter file the editor shows (empty when none).
    QString curOpenChapter() const;

public slots:
    void qApp_quit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // Shell
    void timer_show_slot();
    void systemTrayActivated_slot(QSystemTrayIcon::ActivationReason reason);
    void on_btnMenu_Min_clicked();
    void on_btnMenu_Max_clicked(bool checked);
    void on_fullScreen_clicked();
    void on_fullScreen1_clicked();

    // Catalog
    void on_treeView_clicked(const QModelIndex& index);
    void on_treeView_doubleClicked(const QModelIndex& index);
    void on_treeView_customContextMenuRequested(const QPoint& pos);
    void rename_slot(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QVector<int>& roles);
    void on_catalog_clicked(bool checked);
    void on_catalog1_clicked();
    void newBooks_slot();
    void newVolume_slot();
    void newChapter_slot();
    void new_Chapter_slot();
    void insertChapter_slot();
    void upChapter_slot();
    void downChapter_slot();
    void deleteBooks_slot();
    void deleteChapter_slot();
    void importBooks_slot();
    void exportBooks_slot();
    void recycle_slot();
    void bak_slot();
    void on_btn_recycle_clicked();
    void on_btn_bak_clicked();

    // Editor
    void timer_save_slot();
    void on_textEdit_cursorPositionChanged();
    void on_textEdit_customContextMenuRequested(const QPoint& pos);
    void on_one_key_clicked();
    void on_search_clicked();
    void str_find_slot(const QString& text, qint8 code);
    void str_replace_slot(const QString& text, bool all, bool caseInsensitive);
    void on_font_size_currentIndexChanged(const QString& size);
    void on_font_currentFontChanged(const QFont& font);
    void on_bold_clicked(bool checked);
    void on_font_big_clicked();
    void on_font_samll_clicked();
    void on_left_justified_clicked();
    void on_center_clicked();
    void on_right_justified_clicked();
    void on_undo_clicked();
    void on_redo_clicked();
    void clearFormat_slot();
    void searchInBaidu_slot();

    // Settings and themes
    void on_settings_clicked();
    void save_success_update();

    // Writing lock
    void on_lock_clicked();
    void lock_slot(bool start, qint8 kind, const QString& amount);
    void timer_timeLock_slot();
    void timer_wordLock_slot();
    void keySound_slot(bool checked);

    // Extras
    void on_browser_clicked();
    void shutDown_slot();
    void reBoot_slot();
    void about_slot();
    void myShortCutSlot();

    // Whole-book text import (app/mainwindow_txtimport.cpp)
    void importTxt_slot();

    // Search across chapters (app/mainwindow_search.cpp)
    void searchChapters_slot();

private:
    // Construction steps
    void initialise();
    void openConfig();
    static ThemeSheets themeSheets(const ThemeValues& theme);
    static void applyApplicationSheet(const QString& sheet);
    void initStatusBar();
    void initTrayIcon();
    void createShortcut();
    void applyIconGlyphs();

    // Catalog (mainwindow_catalog.cpp, mainwindow_catalogmenus.cpp, mainwindow_menus.cpp)
    void initCatalogTree();
    void createMenus();
    void createMainMenu();
    void loadCatalog();
    QString itemPath(const QModelIndex& index) const;
    bool loadFileToEditor(const QString& path);

    // Catalog column width (mainwindow_catalogwidth.cpp): the width the shown names need,
    // and the splitter keeper that starts at it or at the author's dragged width.
    int catalogStartWidth() const;
    void initCatalogPanel();

    // Catalog editing (mainwindow_catalogedit.cpp, mainwindow_catalogdelete.cpp,
    // mainwindow_importexport.cpp)
    void addChapter(const QModelIndex& volume, int row, double sort);
    void moveChapter(int step);
    void showBookProgress(int maximum);
    void endBookProgress();
    // The last step of both imports: the book's rows, then the tree; false (the copied
    // files taken away again, the author told) when the table refuses.
    bool indexImportedBook(int id, const QString& name, const QString& dir,
                           const QVector<BookImport::Volume>& volumes,
                           const std::function<void(int)>& progress);

    // Sets the point size of the whole text (and of newly typed text) without moving the
    // cursor (mainwindow_font.cpp).
    void applyWholeTextSize(const QString& size);

    // Themes (mainwindow_theme.cpp)
    void applyEditorMargins();
    // The theme's margins on every paragraph, leaving the editor's cursor alone.
    void setParagraphMargins();

    // Extras: shutdown and restart (mainwindow_system.cpp) save like the orderly quit
    // before the system ends the program. Saves the open path, the key-sound switch and the
    // open text; defined beside qApp_quit.
    void saveSessionState();

    // The icon row's pictures in the theme's text colour (app/mainwindow_chrome.cpp).
    void applyIconRowInk(const QString& colour);

    Ui::MainWindow* ui = nullptr;
    bool m_initialised = false;

    // Library
    QSqlDatabase db;
    SqliteOper* sqliteOper = nullptr;
    FileCreate* fileCreate = nullptr;
    QStandardItemModel* model = nullptr;
    QMenu* bookMenu = nullptr;
    QMenu* volumeMenu = nullptr;
    QMenu* chapterMenu = nullptr;
    QMenu* blankMenu = nullptr;
    QString oldItemName;
    ImBook_ProBar* bookProgress = nullptr;
    CatalogPanel* catalogPanel = nullptr;

    // Settings
    QSettings* settings = nullptr;
    QString userDataDir;
    QString bgImagePath;

    // Editor
    OpenChapter* openChapter = nullptr;
    QMenu* textMenu = nullptr;
    bool lockSoundPlayed = false;

    // Shell
    QRect savedGeometry;
    DragProxy* dragProxy = nullptr;
    QLabel* statusPathLabel = nullptr;
    QLabel* statusClockLabel = nullptr;
    QLabel* statusCountLabel = nullptr;
    QTimer* timerShow = nullptr;
    QTimer* timerSave = nullptr;
    QSystemTrayIcon* trayIcon = nullptr;
    QMenu* trayMenu = nullptr;
    QAction* actMin = nullptr;
    QAction* actMax = nullptr;
    QAction* actQuit = nullptr;
    QMenu* mainMenu = nullptr;
    QAction* keySoundAction = nullptr;
    QAction* menuQuitAction = nullptr;
    BackgroundPicture* bgPicture = nullptr;

    // Writing lock
    WritingLock* writingLock = nullptr;
    // Switches the window between the locked and the normal state (mainwindow_lock.cpp).
    void setLockMode(bool locked);
    void setDragProxyEnabled(bool enabled);
    int editorCharCount() const;

    // Extras
    std::unique_ptr<GlobalShortcut> shortcut;

    // Secondary windows, created on first use and kept until quit: the settings, find,
    // recycle-bin, backup, lock, browser and web-search windows.
    QWidget* settingDialog = nullptr;
    QWidget* findDialog = nullptr;
    QWidget* recycleWindow = nullptr;
    QWidget* bakWindow = nullptr;
    QWidget* lockDialog = nullptr;
    QWidget* browserWindow = nullptr;
    QWidget* searchWindow = nullptr;

    // Search across chapters (app/mainwindow_search.cpp): the 全书查找 window, created on
    // first use, and its entry in the title-bar menu with the shortcut Ctrl+Shift+F.
    QWidget* searchChaptersWindow = nullptr;
    void addSearchEntry(QMenu* menu);

    // Writing statistics (app/mainwindow_stats.cpp): the per-paragraph count of the open
    // chapter, the author's writing since the last save, the daily goal label and the
    // statistics window.
    void initStats();
    void recordWriting(int added, int removed);
    // Adds the writing since the last save to sys.db in one transaction.
    void saveWritingLog();
    void renameBookStats(const QString& from, const QString& to);
    void updateGoalLabel();
    void showStatsWindow();
    // The open chapter's count without walking its text.
    int openChapterCount() const;
    ParagraphCounter* paragraphCounter = nullptr;
    std::unique_ptr<WritingLog> writingLog;
    QLabel* statusGoalLabel = nullptr;
    // Today's net characters already in sys.db, and the day they are for.
    int storedTodayNet = 0;
    QDate storedTodayDate;
    QWidget* statsWindow = nullptr;
};

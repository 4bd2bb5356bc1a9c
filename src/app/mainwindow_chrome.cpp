#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/backgroundpicture.h"
#include "app/iconhelper.h"
#include "app/inkicon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {
const QChar kGlyphMenu(0xf150);
const QChar kGlyphMinimise(0xf068);
const QChar kGlyphMaximise(0xf096);
const QChar kGlyphRestore(0xf079);
const QChar kGlyphClose(0xf00d);

// The icon row: each button with its picture.
QList<QPair<QToolButton*, QString>> iconRow(Ui::MainWindow* ui)
{
    return {{ui->catalog, ":/icon/sidebar"},    {ui->fullScreen, ":/icon/fullscreen"},
            {ui->settings, ":/icon/settings"},  {ui->browser, ":/icon/tools"},
            {ui->lock, ":/icon/lock"},          {ui->search, ":/icon/search"},
            {ui->one_key, ":/icon/one_key"},    {ui->btn_bak, ":/icon/bak"},
            {ui->btn_recycle, ":/icon/recycle"}};
}
} // namespace

void MainWindow::applyIconGlyphs()
{
    IconHelper* icons = IconHelper::instance();
    icons->setIcon(ui->btnMenu, kGlyphMenu, 10);
    icons->setIcon(ui->btnMenu_Min, kGlyphMinimise, 10);
    icons->setIcon(ui->btnMenu_Max, kGlyphMaximise, 10);
    icons->setIcon(ui->btnMenu_Close, kGlyphClose, 10);

    const QList<QPair<QToolButton*, ushort>> formatting{
        {ui->bold, 0xf032},           {ui->font_big, 0xf00e}, {ui->font_samll, 0xf010},
        {ui->left_justified, 0xf036}, {ui->center, 0xf037},   {ui->right_justified, 0xf038},
        {ui->search1, 0xf002},        {ui->undo, 0xf0e2},     {ui->redo, 0xf01e},
        {ui->one_key_1, 0xf0c9}};
    for (const auto& button : formatting)
        icons->setIcon(button.first, QChar(button.second), 15);

    for (const auto& button : iconRow(ui))
        button.first->setIconSize(QSize(40, 40));
}

void MainWindow::applyIconRowInk(const QString& colour)
{
    for (const auto& button : iconRow(ui))
        button.first->setIcon(inkIcon(button.second, QColor(colour)));
}

void MainWindow::systemTrayActivated_slot(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    show();
    raise();
    setGeometry(savedGeometry);
}

void MainWindow::on_btnMenu_Min_clicked() { showMinimized(); }

void MainWindow::on_btnMenu_Max_clicked(bool checked)
{
    // Restoring goes back to the geometry of start-up, not to where the window was dragged.
    if (checked) {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(screen->availableGeometry());
        IconHelper::instance()->setIcon(ui->btnMenu_Max, kGlyphRestore, 10);
        ui->btnMenu_Max->setToolTip(tr("还原"));
    } else {
        setGeometry(savedGeometry);
        IconHelper::instance()->setIcon(ui->btnMenu_Max, kGlyphMaximise, 10);
        ui->btnMenu_Max->setToolTip(tr("最大化"));
    }
    applyEditorMargins();
}

void MainWindow::on_fullScreen_clicked()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    applyEditorMargins();
}

void MainWindow::on_fullScreen1_clicked() { on_fullScreen_clicked(); }

void MainWindow::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (bgImagePath.isEmpty())
        return;
    if (!bgPicture)
        bgPicture = new BackgroundPicture(this);
    const QPixmap& picture = bgPicture->scaled(bgImagePath, size());
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture);
}

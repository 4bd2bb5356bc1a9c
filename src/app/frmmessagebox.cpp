#include "app/frmmessagebox.h"
#include "ui_frmmessagebox.h"

#include "app/iconhelper.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

frmMessageBox::frmMessageBox(QWidget* parent) : QDialog(parent), ui(new Ui::frmMessageBox)
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::Dialog);
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    IconHelper::instance()->setIcon(ui->lab_Ico, QChar(0xf015), 12);
    IconHelper::instance()->setIcon(ui->btnMenu_Close, QChar(0xf00d), 10);
    connect(ui->btnMenu_Close, &QPushButton::clicked, this, &frmMessageBox::close);
    connect(ui->btnCancel, &QPushButton::clicked, this, &frmMessageBox::close);
    baseInfoHeight = ui->labInfo->height();
    baseButtonsY = ui->layoutWidget->y();
    baseHeight = height();
    centreOnScreen();
}

void frmMessageBox::centreOnScreen()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        move(desktop.width() / 2 - width() / 2, desktop.height() / 2 - height() / 2);
    }
}

// The text area of the form has room for two lines; a longer message (a database path)
// pushes the buttons down and makes the box taller, so nothing of it is cut off.
void frmMessageBox::fitMessage()
{
    // Measured with the font and margins the label will be shown with.
    ensurePolished();
    ui->labInfo->ensurePolished();
    const int needed = ui->labInfo->heightForWidth(ui->labInfo->width());
    const int grow = qMax(0, needed - baseInfoHeight);
    ui->labInfo->resize(ui->labInfo->width(), baseInfoHeight + grow);
    ui->layoutWidget->move(ui->layoutWidget->x(), baseButtonsY + grow);
    resize(width(), baseHeight + grow);
    centreOnScreen();
}

frmMessageBox::~frmMessageBox() { delete ui; }

void frmMessageBox::setMessage(const QString& text, int kind)
{
    struct Look {
        const char* picture;
        const char* title;
        bool cancel;
    };
    static const Look looks[] = {{"border-image: url(:/image/info);", "提示", false},
                                 {"border-image: url(:/image/question);", "询问", true},
                                 {"border-image: url(:/image/error);", "错误", false}};
    if (kind >= 0 && kind <= 2) {
        const Look& look = looks[kind];
        ui->labIcoMain->setStyleSheet(QString::fromUtf8(look.picture));
        ui->lab_Title->setText(tr(look.title));
        ui->btnCancel->setVisible(look.cancel);
    }
    ui->labInfo->setText(text);
    fitMessage();
}

void frmMessageBox::on_btnOk_clicked()
{
    done(1);
    close();
}

void frmMessageBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        mousePressed = true;
        mousePoint = event->globalPos() - pos();
        event->accept();
    }
}

void frmMessageBox::mouseMoveEvent(QMouseEvent* event)
{
    if (mousePressed && event->buttons() != Qt::NoButton) {
        move(event->globalPos() - mousePoint);
        event->accept();
    }
}

void frmMessageBox::mouseReleaseEvent(QMouseEvent*) { mousePressed = false; }

#include "lock/dialog_lock.h"
#include "ui_dialog_lock.h"

#include "lock/writinglock.h"

#include <QCloseEvent>
#include <QIntValidator>
#include <QKeyEvent>

namespace {
constexpr int MaxCharacters = WritingLock::MaxCharacters;
constexpr int MaxMinutes = WritingLock::MaxMinutes;
} // namespace

Dialog_Lock::Dialog_Lock(QWidget* parent) : QWidget(parent), ui(new Ui::Dialog_Lock)
{
    ui->setupUi(this);
    ui->label->setText(tr("字"));
    // Changing the range later leaves the typed text alone: it only limits further editing.
    validator = new QIntValidator(0, MaxCharacters, this);
    ui->lineEdit->setValidator(validator);
    ui->yes->setEnabled(false);
}

Dialog_Lock::~Dialog_Lock() { delete ui; }

void Dialog_Lock::on_number_lock_clicked()
{
    ui->label->setText(tr("字"));
    validator->setRange(0, MaxCharacters);
}

void Dialog_Lock::on_time_lock_clicked()
{
    ui->label->setText(tr("分钟"));
    validator->setRange(0, MaxMinutes);
}

void Dialog_Lock::on_yes_clicked()
{
    emit lock_signal(true, ui->number_lock->isChecked() ? 1 : 2, ui->lineEdit->text());
    close();
}

void Dialog_Lock::on_no_clicked()
{
    emit lock_signal(false, 1, QString());
    close();
}

void Dialog_Lock::on_lineEdit_textChanged(const QString& arg1)
{
    ui->yes->setEnabled(!arg1.isEmpty());
}

void Dialog_Lock::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter)
        return;
    // Return does what the focused control offers: on 取消 it cancels, on a goal kind it
    // picks that kind. Only the number field and 确定 itself confirm.
    QWidget* focus = focusWidget();
    if (focus == ui->lineEdit || focus == ui->yes) {
        if (ui->yes->isEnabled())
            ui->yes->click();
    } else if (auto* button = qobject_cast<QAbstractButton*>(focus)) {
        button->click();
    }
}

void Dialog_Lock::showEvent(QShowEvent* event)
{
    // The number is what the author came to type. Set here, since the main window's
    // reparenting takes away a focus set before.
    ui->lineEdit->setFocus();
    QWidget::showEvent(event);
}

void Dialog_Lock::closeEvent(QCloseEvent* event)
{
    emit lock_signal(false, 1, QString());
    event->accept();
}

#include "editor/dialogfind.h"
#include "ui_dialogfind.h"

#include "editor/findrules.h"

DialogFind::DialogFind(QWidget* parent) : QDialog(parent), ui(new Ui::DialogFind)
{
    ui->setupUi(this);
    ui->btn_find->setEnabled(false);
    setReplaceControlsVisible(false);
}

DialogFind::~DialogFind() { delete ui; }

void DialogFind::on_btn_find_clicked()
{
    const qint8 code = FindRules::searchCode(ui->forward->isChecked(), ui->checkBox->isChecked());
    emit str_find_signals(ui->lineEdit->text(), code);
}

void DialogFind::on_lineEdit_textChanged(const QString& arg1)
{
    ui->btn_find->setEnabled(!arg1.isEmpty());
}

void DialogFind::on_replace_clicked(bool checked) { setReplaceControlsVisible(checked); }

void DialogFind::on_sure_clicked()
{
    emit str_replace_signals(ui->re_lineEdit->text(), ui->global->isChecked(),
                             ui->checkBox->isChecked());
}

void DialogFind::setReplaceControlsVisible(bool visible)
{
    ui->groupBox->setVisible(visible);
    ui->re_label->setVisible(visible);
    ui->re_lineEdit->setVisible(visible);
    ui->sure->setVisible(visible);
}

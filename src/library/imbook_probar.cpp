#include "library/imbook_probar.h"
#include "ui_imbook_probar.h"

ImBook_ProBar::ImBook_ProBar(QWidget* parent) : QWidget(parent), ui(new Ui::ImBook_ProBar)
{
    ui->setupUi(this);
}

ImBook_ProBar::~ImBook_ProBar() { delete ui; }

void ImBook_ProBar::setMaximum(int maximum) { ui->progressBar->setMaximum(maximum); }

void ImBook_ProBar::setValue(int value) { ui->progressBar->setValue(value); }

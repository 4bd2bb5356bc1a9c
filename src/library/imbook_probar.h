#pragma once

#include <QWidget>

namespace Ui {
class ImBook_ProBar;
}

// The progress panel shown over the main window while a book is imported or deleted.
class ImBook_ProBar : public QWidget
{
    Q_OBJECT
public:
    explicit ImBook_ProBar(QWidget* parent = nullptr);
    ~ImBook_ProBar() override;

    void setMaximum(int maximum);
    void setValue(int value);

private:
    Ui::ImBook_ProBar* ui;
};

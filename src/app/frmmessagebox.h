#pragma once

#include <QDialog>
#include <QPoint>

namespace Ui {
class frmMessageBox;
}

// The program's own frameless, modal message box. Kinds: 0 information, 1 question,
// 2 error. exec() gives 1 when the user pressed 确定 and 0 otherwise (取消, the close
// button, Escape). The box deletes itself when closed.
class frmMessageBox : public QDialog
{
    Q_OBJECT
public:
    explicit frmMessageBox(QWidget* parent = nullptr);
    ~frmMessageBox() override;

    void setMessage(const QString& text, int kind);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private slots:
    void on_btnOk_clicked();

private:
    void fitMessage();
    void centreOnScreen();

    Ui::frmMessageBox* ui;
    QPoint mousePoint;
    bool mousePressed = false;
    // The form's own sizes, kept for the usual one- and two-line messages.
    int baseInfoHeight = 0;
    int baseButtonsY = 0;
    int baseHeight = 0;
};

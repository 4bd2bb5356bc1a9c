#pragma once

#include <QString>
#include <QWidget>

class QIntValidator;

namespace Ui {
class Dialog_Lock;
}

// The small window in which the author sets the goal of a writing lock: a number of
// characters still to write or a number of minutes. A confirmed goal is delivered by
// lock_signal(true, mode, value); every way the window goes away (confirming included) then
// delivers lock_signal(false, 1, "").
class Dialog_Lock : public QWidget
{
    Q_OBJECT
public:
    explicit Dialog_Lock(QWidget* parent = nullptr);
    ~Dialog_Lock() override;

signals:
    // mode 1: by characters, 2: by time; value: the number as typed.
    void lock_signal(bool start, qint8 mode, QString value);

private slots:
    void on_number_lock_clicked();
    void on_time_lock_clicked();
    void on_yes_clicked();
    void on_no_clicked();
    void on_lineEdit_textChanged(const QString& arg1);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Ui::Dialog_Lock* ui;
    QIntValidator* validator;
};

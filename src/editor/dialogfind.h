#pragma once

#include <QDialog>

namespace Ui {
class DialogFind;
}

// The non-modal find dialog. It only collects what the user wants and announces it; the
// main window searches and replaces in the editor.
class DialogFind : public QDialog
{
    Q_OBJECT

public:
    explicit DialogFind(QWidget* parent);
    ~DialogFind() override;

signals:
    // `code`: see FindRules::searchCode.
    void str_find_signals(const QString& text, qint8 code);
    void str_replace_signals(const QString& replacement, bool replaceAll, bool caseInsensitive);

private slots:
    void on_btn_find_clicked();
    void on_lineEdit_textChanged(const QString& arg1);
    void on_replace_clicked(bool checked);
    void on_sure_clicked();

private:
    void setReplaceControlsVisible(bool visible);

    Ui::DialogFind* ui;
};

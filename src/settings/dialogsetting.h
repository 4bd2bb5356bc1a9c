#pragma once

#include <QDialog>

namespace Ui {
class DialogSetting;
}

class QColor;
class QLineEdit;

// The settings dialog: chapter length and royalty rate, the typesetting options and the
// four themes. It knows nothing but the path of config.ini: every opening re-reads the
// file, "保存" writes it back and announces it with save_success().
class DialogSetting : public QDialog
{
    Q_OBJECT

public:
    explicit DialogSetting(const QString& configPath, QWidget* parent = nullptr);
    ~DialogSetting() override;

    // Fills every field from config.ini; called before each showing.
    void loadSettings();

signals:
    void save_success();

private slots:
    void on_first_indent1_clicked(bool checked);
    void on_text_color_select_clicked();
    void on_bg_color_select_clicked();
    void on_bg_image_select_clicked();
    void on_set_save_clicked();
    void on_font_set_currentFontChanged(const QFont& f);
    void on_font_size_set_textChanged(const QString& arg1);
    void on_left_margin_textChanged(const QString& arg1);
    void on_right_margin_textChanged(const QString& arg1);
    void on_window_color_select_clicked();
    void on_label_color_select_clicked();
    void on_toolButton_1_clicked();
    void on_toolButton_2_clicked();
    void on_toolButton_3_clicked();
    void on_toolButton_4_clicked();
    // Every theme button in its theme's colours, the button of `num` as selected.
    void btnInit(qint8 num);

private:
    void saveSettings();
    void loadTheme(const QString& group);
    void showTheme(qint8 num);
    void updatePreview();
    void resetPreviewCursor();
    bool chooseColour(QLineEdit* edit, const QColor& initial);

    Ui::DialogSetting* ui;
    QString m_configPath;
    qint8 themeNumber = 0;
};

#include "settings/dialogsetting.h"
#include "ui_dialogsetting.h"

#include "settings/config.h"
#include "settings/previewstyle.h"
#include "settings/upperboundvalidator.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QSettings>

#include <memory>

namespace {

std::unique_ptr<QSettings> openConfig(const QString& path)
{
    return std::unique_ptr<QSettings>(Config::open(path));
}

} // namespace

DialogSetting::DialogSetting(const QString& configPath, QWidget* parent)
    : QDialog(parent), ui(new Ui::DialogSetting), m_configPath(configPath)
{
    ui->setupUi(this);
    ui->word_pre_chapters->setValidator(new UpperBoundValidator(0, 20000, this));
    ui->price->setValidator(new UpperBoundValidator(0, 5000, this));
    ui->daily_goal->setValidator(new UpperBoundValidator(0, 100000, this));
    ui->font_size_set->setValidator(new UpperBoundValidator(8, 36, this));
    ui->left_margin->setValidator(new UpperBoundValidator(0, 200, this));
    ui->right_margin->setValidator(new UpperBoundValidator(0, 200, this));
    // Both rows are still loaded and saved, so their stored values survive every save.
    ui->widget_indentnNumber->hide();
    ui->widget_labelColor->hide();
    ui->preview_text->setAttribute(Qt::WA_TranslucentBackground);
}

DialogSetting::~DialogSetting() { delete ui; }

void DialogSetting::loadSettings()
{
    auto s = openConfig(m_configPath);
    ui->word_pre_chapters->setText(s->value(Config::WordPreChapters).toString());
    ui->price->setText(s->value(Config::Price).toString());
    ui->daily_goal->setText(
        QString::number(s->value(Config::DailyGoal, Config::DefaultDailyGoal).toInt()));
    ui->first_indent1->setChecked(s->value(Config::FirstIndent1).toBool());
    ui->broken_rows->setChecked(s->value(Config::BrokenRows).toBool());
    ui->indent_number->setValue(s->value(Config::IndentNumber1).toInt());
    ui->first_indent2->setChecked(s->value(Config::FirstIndent2).toBool());
    ui->remove_spaces->setChecked(s->value(Config::RemoveSpaces).toBool());
    ui->remove_lines->setChecked(s->value(Config::RemoveLines).toBool());
    themeNumber = qint8(s->value(Config::ThemeNumber).toInt());
    s.reset();
    loadTheme(Config::themeGroup(themeNumber));
    btnInit(themeNumber);
}

void DialogSetting::loadTheme(const QString& group)
{
    auto s = openConfig(m_configPath);
    const QList<QPair<QString, QLineEdit*>> fields{
        {Config::TextColor, ui->text_color},     {Config::BgColor, ui->bg_color},
        {Config::WindowColor, ui->window_color}, {Config::LabelColor, ui->label_color},
        {Config::BgImage, ui->bg_image},         {Config::LeftMargin, ui->left_margin},
        {Config::RightMargin, ui->right_margin}, {Config::FontSizeSet, ui->font_size_set}};
    for (const auto& field : fields)
        field.second->setText(s->value(group + QLatin1Char('/') + field.first).toString());
    ui->font_set->setCurrentFont(
        QFont(s->value(group + QLatin1Char('/') + Config::FontSet).toString()));
    updatePreview();
}

void DialogSetting::saveSettings()
{
    auto s = openConfig(m_configPath);
    s->setValue(Config::WordPreChapters, ui->word_pre_chapters->text());
    s->setValue(Config::Price, ui->price->text());
    // An emptied field keeps the goal it had rather than a goal of nothing.
    if (!ui->daily_goal->text().isEmpty())
        s->setValue(Config::DailyGoal, ui->daily_goal->text().toInt());

    s->setValue(Config::FirstIndent1, ui->first_indent1->isChecked());
    s->setValue(Config::BrokenRows, ui->broken_rows->isChecked());
    s->setValue(Config::IndentNumber1, ui->indent_number->text());
    s->setValue(Config::FirstIndent2, ui->first_indent2->isChecked());
    s->setValue(Config::RemoveSpaces, ui->remove_spaces->isChecked());
    s->setValue(Config::RemoveLines, ui->remove_lines->isChecked());
    s->setValue(Config::IndentNumber2, QStringLiteral("2"));

    s->setValue(Config::ThemeNumber, int(themeNumber));

    s->beginGroup(Config::themeGroup(themeNumber));
    s->setValue(Config::TextColor, ui->text_color->text());
    s->setValue(Config::BgColor, ui->bg_color->text());
    s->setValue(Config::WindowColor, ui->window_color->text());
    s->setValue(Config::LabelColor, ui->label_color->text());
    const QString size = PreviewStyle::storedFontSize(ui->font_size_set->text());
    if (size != ui->font_size_set->text())
        ui->font_size_set->setText(size);
    s->setValue(Config::FontSizeSet, ui->font_size_set->text());
    s->setValue(Config::BgImage, ui->bg_image->text());
    s->setValue(Config::LeftMargin, ui->left_margin->text());
    s->setValue(Config::RightMargin, ui->right_margin->text());
    s->setValue(Config::FontSet, ui->font_set->currentText());
    s->endGroup();
}

void DialogSetting::updatePreview()
{
    ui->widget->setStyleSheet(PreviewStyle::background(ui->bg_color->text(), ui->bg_image->text()));
    ui->preview_text->setStyleSheet(PreviewStyle::text(
        ui->left_margin->text(), ui->right_margin->text(), ui->text_color->text()));
}

void DialogSetting::resetPreviewCursor()
{
    QTextCursor cursor = ui->preview_text->textCursor();
    cursor.clearSelection();
    ui->preview_text->setTextCursor(cursor);
    ui->preview_text->setFocus(Qt::OtherFocusReason);
}

bool DialogSetting::chooseColour(QLineEdit* edit, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, this, QString(), {});
    if (!colour.isValid())
        return false;
    edit->setText(colour.name());
    return true;
}

void DialogSetting::on_first_indent1_clicked(bool checked) { Q_UNUSED(checked); }

void DialogSetting::on_text_color_select_clicked()
{
    chooseColour(ui->text_color, Qt::black);
    updatePreview();
}

void DialogSetting::on_bg_color_select_clicked()
{
    chooseColour(ui->bg_color, Qt::white);
    updatePreview();
}

void DialogSetting::on_bg_image_select_clicked()
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("选择背景图像"), QString(),
                                     QStringLiteral("Images (*.png *.bmp *.jpg *.tif *.GIF)"));
    if (path.isEmpty())
        return;
    ui->bg_image->setText(path);
    updatePreview();
}

void DialogSetting::on_set_save_clicked()
{
    saveSettings();
    close();
    emit save_success();
}

void DialogSetting::on_font_set_currentFontChanged(const QFont& f)
{
    ui->preview_text->selectAll();
    ui->preview_text->setCurrentFont(f);
    // A family change resets the size; the typed size wins again.
    on_font_size_set_textChanged(ui->font_size_set->text());
    resetPreviewCursor();
}

void DialogSetting::on_font_size_set_textChanged(const QString& arg1)
{
    int points = 0;
    if (PreviewStyle::previewFontSize(arg1, &points)) {
        ui->preview_text->selectAll();
        ui->preview_text->setFontPointSize(points);
        resetPreviewCursor();
    }
    ui->font_size_set->setFocus(Qt::OtherFocusReason);
}

void DialogSetting::on_left_margin_textChanged(const QString& arg1)
{
    Q_UNUSED(arg1);
    updatePreview();
}

void DialogSetting::on_right_margin_textChanged(const QString& arg1)
{
    Q_UNUSED(arg1);
    updatePreview();
}

void DialogSetting::on_window_color_select_clicked() { chooseColour(ui->window_color, Qt::black); }

void DialogSetting::on_label_color_select_clicked() { chooseColour(ui->label_color, Qt::black); }

void DialogSetting::on_toolButton_1_clicked() { showTheme(1); }
void DialogSetting::on_toolButton_2_clicked() { showTheme(2); }
void DialogSetting::on_toolButton_3_clicked() { showTheme(3); }
void DialogSetting::on_toolButton_4_clicked() { showTheme(4); }

void DialogSetting::showTheme(qint8 num)
{
    // Unsaved edits of the theme shown so far are dropped: each theme shows what is stored.
    themeNumber = num;
    loadTheme(Config::themeGroup(num));
    btnInit(num);
}

void DialogSetting::btnInit(qint8 num)
{
    auto s = openConfig(m_configPath);
    const QList<QToolButton*> buttons{ui->toolButton_1, ui->toolButton_2, ui->toolButton_3,
                                      ui->toolButton_4};
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->setStyleSheet(PreviewStyle::themeButton(
            s->value(Config::themeKey(i + 1, Config::BgColor)).toString(),
            s->value(Config::themeKey(i + 1, Config::TextColor)).toString()));
    }
    if (num >= 1 && num <= 4)
        buttons[num - 1]->setStyleSheet(PreviewStyle::selectedThemeButton());
}

#include "support/testsupport.h"

#include "settings/config.h"
#include "settings/dialogsetting.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

class TstDialogSetting : public QObject
{
    Q_OBJECT
private slots:
    void validatorsRefuseOutOfRangeTyping_data();
    void validatorsRefuseOutOfRangeTyping();
    void openingShowsTheStoredValues();
    void cancelDiscardsEdits();
    void themeButtonsSwitchAndDiscardEdits();
    void saveWritesEveryKeyAndAnnouncesAfterClosing();
    void saveClampsTheFontSize_data();
    void saveClampsTheFontSize();
    void previewFollowsTheFields();
    void colourChooserFillsTheFieldUnlessCancelled();
    void imageChooserFillsTheFieldUnlessCancelled();
    void missingConfigLoadsEmpty();
};

namespace {

struct Fixture {
    TestAppDir app;
    QString config = app.file("config.ini");
    std::unique_ptr<DialogSetting> dialog;

    Fixture()
    {
        Config::writeDefaults(config, app.path());
        dialog = std::make_unique<DialogSetting>(config);
    }
    template <typename T> T* get(const char* name)
    {
        T* w = dialog->findChild<T*>(name);
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    QLineEdit* edit(const char* name) { return get<QLineEdit>(name); }
    void open()
    {
        dialog->loadSettings();
        dialog->show();
    }
    std::unique_ptr<QSettings> stored() { return std::unique_ptr<QSettings>(Config::open(config)); }
};

// Answers the next modal dialog of type T once it shows up; `answer` is tried again on the
// next tick while it returns false (a file dialog learns its directory asynchronously).
template <typename T> void answerNext(std::function<bool(T*)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<T*>(w);
            if (d && d->isVisible() && answer(d)) {
                timer->stop();
                timer->deleteLater();
                return;
            }
        }
    });
    timer->start();
}

int previewPointSize(QTextEdit* preview)
{
    QTextCursor c(preview->document());
    c.movePosition(QTextCursor::NextCharacter);
    return qRound(c.charFormat().fontPointSize());
}

} // namespace

void TstDialogSetting::validatorsRefuseOutOfRangeTyping_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("size 40 stops at 4") << "font_size_set" << "40" << "4";
    QTest::newRow("size 7 may be typed") << "font_size_set" << "7" << "7";
    QTest::newRow("length 20001 stops at 2000") << "word_pre_chapters" << "20001" << "2000";
    QTest::newRow("margin 201 stops at 20") << "left_margin" << "201" << "20";
}

void TstDialogSetting::validatorsRefuseOutOfRangeTyping()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Fixture f;
    f.open();
    QLineEdit* e = f.edit(qPrintable(field));
    e->clear();
    QTest::keyClicks(e, typed);
    QCOMPARE(e->text(), shown);
}

void TstDialogSetting::openingShowsTheStoredValues()
{
    Fixture f;
    {
        auto s = f.stored();
        s->setValue(Config::WordPreChapters, "4000");
        s->setValue(Config::BrokenRows, false);
        s->setValue(Config::IndentNumber1, "3");
        s->setValue(Config::ThemeNumber, "3");
        s->setValue("UIOption_3/font_size_set", "24");
        s->setValue("UIOption_3/left_margin", "120");
    }
    f.open();
    QCOMPARE(f.edit("word_pre_chapters")->text(), QString("4000"));
    QVERIFY(!f.get<QCheckBox>("broken_rows")->isChecked());
    QCOMPARE(f.get<QSpinBox>("indent_number")->value(), 3);
    QCOMPARE(f.edit("text_color")->text(), QString("#ffffff"));
    QCOMPARE(f.edit("font_size_set")->text(), QString("24"));
    QCOMPARE(f.edit("left_margin")->text(), QString("120"));
    QCOMPARE(f.get<QFontComboBox>("font_set")->currentFont().family(),
             QFontInfo(QFont("文泉驿微米黑")).family());
    QCOMPARE(f.get<QToolButton>("toolButton_3")->styleSheet(),
             QString("border-image: url(:/icon/select);"));
    QCOMPARE(previewPointSize(f.get<QTextEdit>("preview_text")), 24);
}

void TstDialogSetting::cancelDiscardsEdits()
{
    Fixture f;
    f.open();
    f.edit("price")->setText("99");
    f.edit("text_color")->setText("#abcdef");
    f.get<QCheckBox>("remove_spaces")->setChecked(false);
    f.get<QToolButton>("toolButton_4")->click();
    f.get<QPushButton>("set_cancel")->click();
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.stored()->value(Config::Price).toString(), QString("50"));

    f.open();
    QCOMPARE(f.edit("price")->text(), QString("50"));
    QCOMPARE(f.edit("text_color")->text(), QString("#000000"));
    QVERIFY(f.get<QCheckBox>("remove_spaces")->isChecked());
    QCOMPARE(f.get<QToolButton>("toolButton_1")->styleSheet(),
             QString("border-image: url(:/icon/select);"));
}

void TstDialogSetting::themeButtonsSwitchAndDiscardEdits()
{
    Fixture f;
    f.open();
    f.get<QToolButton>("toolButton_3")->click();
    QCOMPARE(f.edit("text_color")->text(), QString("#ffffff"));
    f.edit("text_color")->setText("#abcdef");
    f.edit("bg_color")->setText("#fedcba");
    f.get<QToolButton>("toolButton_1")->click();
    QCOMPARE(f.edit("text_color")->text(), QString("#000000"));
    QCOMPARE(f.edit("bg_color")->text(), QString("#eeeeee"));
    QCOMPARE(f.get<QToolButton>("toolButton_1")->styleSheet(),
             QString("border-image: url(:/icon/select);"));
    QCOMPARE(f.get<QToolButton>("toolButton_3")->styleSheet(),
             QString("background-color : #222222;color : #ffffff;"));
}

void TstDialogSetting::saveWritesEveryKeyAndAnnouncesAfterClosing()
{
    Fixture f;
    f.stored()->setValue("UIOption_2/label_color", "#0f0f0f");
    f.open();
    f.get<QToolButton>("toolButton_2")->click();
    f.edit("word_pre_chapters")->setText("");
    f.edit("price")->setText("80");
    f.get<QCheckBox>("first_indent2")->setChecked(false);
    f.edit("text_color")->setText("#111111");
    f.edit("bg_image")->setText("/图/海.jpg");
    f.edit("font_size_set")->setText("30");

    bool visibleAtSignal = true;
    int signals_ = 0;
    connect(f.dialog.get(), &DialogSetting::save_success, [&] {
        ++signals_;
        visibleAtSignal = f.dialog->isVisible();
    });
    f.get<QPushButton>("set_save")->click();
    QCOMPARE(signals_, 1);
    QVERIFY(!visibleAtSignal);

    auto s = f.stored();
    QCOMPARE(s->value(Config::WordPreChapters).toString(), QString(""));
    QCOMPARE(s->value(Config::Price).toString(), QString("80"));
    QCOMPARE(s->value(Config::FirstIndent2).toBool(), false);
    QCOMPARE(s->value(Config::IndentNumber2).toString(), QString("2"));
    QCOMPARE(s->value(Config::ThemeNumber).toInt(), 2);
    QCOMPARE(s->value("UIOption_2/text_color").toString(), QString("#111111"));
    QCOMPARE(s->value("UIOption_2/label_color").toString(), QString("#0f0f0f"));
    QCOMPARE(s->value("UIOption_2/bg_image").toString(), QString("/图/海.jpg"));
    QCOMPARE(s->value("UIOption_2/font_size_set").toString(), QString("30"));
    QCOMPARE(s->value("UIOption_2/font_set").toString(),
             f.get<QFontComboBox>("font_set")->currentText());
    // Only the theme being shown is written.
    QCOMPARE(s->value("UIOption_1/text_color").toString(), QString("#000000"));
    QCOMPARE(s->value("UIOption_3/text_color").toString(), QString("#ffffff"));
    // The file on disk is UTF-8, so the Chinese path survives a fresh reader.
    QVERIFY(readBytes(f.config).contains("/图/海.jpg"));
}

void TstDialogSetting::saveClampsTheFontSize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty") << "" << "8";
    QTest::newRow("5") << "5" << "8";
    QTest::newRow("21") << "21" << "21";
}

void TstDialogSetting::saveClampsTheFontSize()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Fixture f;
    f.open();
    f.edit("font_size_set")->setText(typed);
    f.get<QPushButton>("set_save")->click();
    QCOMPARE(f.stored()->value("UIOption_1/font_size_set").toString(), stored);
    f.open();
    QCOMPARE(f.edit("font_size_set")->text(), stored);
}

void TstDialogSetting::previewFollowsTheFields()
{
    Fixture f;
    f.open();
    auto* preview = f.get<QTextEdit>("preview_text");
    QCOMPARE(preview->styleSheet(),
             QString("margin-left :40px;margin-right :40px;color : #000000;border :0px;"));
    QCOMPARE(f.get<QWidget>("widget")->styleSheet(),
             QString("background-color : #eeeeee;border-image : url();border :0px;"));
    QCOMPARE(previewPointSize(preview), 20);

    f.edit("left_margin")->setText("7");
    QCOMPARE(preview->styleSheet(),
             QString("margin-left :1px;margin-right :40px;color : #000000;border :0px;"));

    f.edit("font_size_set")->setText("7");
    QCOMPARE(previewPointSize(preview), 20);
    f.edit("font_size_set")->setText("12");
    QCOMPARE(previewPointSize(preview), 12);

    // A family change keeps the typed size.
    auto* fonts = f.get<QFontComboBox>("font_set");
    fonts->setCurrentIndex(fonts->currentIndex() == 0 ? 1 : 0);
    QCOMPARE(previewPointSize(preview), 12);
    QTextCursor c(preview->document());
    c.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(c.charFormat().font().family(), fonts->currentFont().family());
    QVERIFY(!preview->textCursor().hasSelection());
}

void TstDialogSetting::colourChooserFillsTheFieldUnlessCancelled()
{
    Fixture f;
    f.open();
    QColor initial;
    answerNext<QColorDialog>([&](QColorDialog* d) {
        initial = d->currentColor();
        d->setCurrentColor(QColor(0x12, 0xAB, 0x34));
        d->accept();
        return true;
    });
    f.get<QPushButton>("text_color_select")->click();
    QCOMPARE(initial, QColor(Qt::black));
    QCOMPARE(f.edit("text_color")->text(), QString("#12ab34"));
    QVERIFY(f.get<QTextEdit>("preview_text")->styleSheet().contains("color : #12ab34;"));

    answerNext<QColorDialog>([&](QColorDialog* d) {
        initial = d->currentColor();
        d->setCurrentColor(QColor(0x55, 0x55, 0x55));
        d->reject();
        return true;
    });
    f.get<QPushButton>("bg_color_select")->click();
    QCOMPARE(initial, QColor(Qt::white));
    QCOMPARE(f.edit("bg_color")->text(), QString("#eeeeee"));
}

void TstDialogSetting::imageChooserFillsTheFieldUnlessCancelled()
{
    Fixture f;
    f.open();
    const QString picture = f.app.file("山水.png");
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QVERIFY(img.save(picture));

    QString caption;
    answerNext<QFileDialog>([&](QFileDialog* d) {
        caption = d->windowTitle();
        // Typed rather than selectFile(): that leaves the name field alone while it has focus.
        d->findChild<QLineEdit*>("fileNameEdit")->setText(picture);
        if (d->selectedFiles() != QStringList{picture})
            return false;
        QMetaObject::invokeMethod(d, "accept");
        return true;
    });
    f.get<QPushButton>("bg_image_select")->click();
    QCOMPARE(caption, QString("选择背景图像"));
    QCOMPARE(f.edit("bg_image")->text(), picture);
    QCOMPARE(f.get<QWidget>("widget")->styleSheet(),
             "background-color : #eeeeee;border-image : url(" + picture + ");border :0px;");

    answerNext<QFileDialog>([](QFileDialog* d) {
        d->reject();
        return true;
    });
    f.get<QPushButton>("bg_image_select")->click();
    QCOMPARE(f.edit("bg_image")->text(), picture);
}

void TstDialogSetting::missingConfigLoadsEmpty()
{
    TestAppDir app;
    DialogSetting d(app.file("config.ini"));
    d.loadSettings();
    // The hidden rows are built and hidden, yet loaded like the others.
    QVERIFY(d.findChild<QWidget*>("widget_indentnNumber")->isHidden());
    QVERIFY(d.findChild<QWidget*>("widget_labelColor")->isHidden());
    QCOMPARE(d.findChild<QSpinBox*>("indent_number")->value(), 0);
    QCOMPARE(d.findChild<QLineEdit*>("price")->text(), QString());
    QCOMPARE(d.findChild<QToolButton*>("toolButton_1")->styleSheet(),
             QString("background-color : ;color : ;"));
}

QTEST_MAIN(TstDialogSetting)
#include "tst_dialogsetting.moc"

#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "settings/config.h"
#include "settings/dialogsetting.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class TstDialogSetting : public QObject
{
    Q_OBJECT
private slots:
    void eachFieldIsSavedAndShownAgain_data();
    void eachFieldIsSavedAndShownAgain();
    void previewFollowsTheFieldsAndUnsavedEditsGo();
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
    template <typename T = QLineEdit> T* get(const QString& name)
    {
        return dialog->findChild<T*>(name);
    }
    QString text(const char* name) { return get(name)->text(); }
    void open()
    {
        dialog->loadSettings();
        dialog->show();
    }
    std::unique_ptr<QSettings> settings()
    {
        return std::unique_ptr<QSettings>(Config::open(config));
    }
    QString stored(const QString& key) { return settings()->value(key).toString(); }
    void store(const QString& key, const QString& value) { settings()->setValue(key, value); }
    double previewSize()
    {
        QTextCursor c(get<QTextEdit>("preview_text")->document());
        c.movePosition(QTextCursor::NextCharacter);
        return c.charFormat().fontPointSize();
    }
};

// Picks `colour` in the colour dialog the next click opens, or cancels it when invalid.
void answerColourDialog(const QColor& colour)
{
    QTimer::singleShot(0, [colour] {
        auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        QVERIFY(d);
        d->setCurrentColor(colour.isValid() ? colour : QColor(Qt::gray));
        colour.isValid() ? d->accept() : d->reject();
    });
}

} // namespace

void TstDialogSetting::eachFieldIsSavedAndShownAgain_data()
{
    // A field of either tab, typed key by key through its validator ("click" for a button);
    // the key and what it stores.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    const QString size = "UIOption_2/font_size_set";
    const struct {
        const char *name, *field, *value;
        QString key;
        const char* stored;
    } rows[] = {
        {"characters per chapter", "word_pre_chapters", "3500", Config::WordPreChapters, "3500"},
        {"price, digits only", "price", "12.5", Config::Price, "125"},
        {"daily goal", "daily_goal", "800", Config::DailyGoal, "800"},
        {"indent on Return", "first_indent1", "click", Config::FirstIndent1, "false"},
        {"blank line on Return", "broken_rows", "click", Config::BrokenRows, "false"},
        {"indent width", "indent_number", "4", Config::IndentNumber1, "4"},
        {"one-key indent", "first_indent2", "click", Config::FirstIndent2, "false"},
        {"one-key spaces", "remove_spaces", "click", Config::RemoveSpaces, "false"},
        {"one-key lines", "remove_lines", "click", Config::RemoveLines, "true"},
        {"no size stores 8", "font_size_set", "", size, "8"},
        {"size 5 stores 8", "font_size_set", "5", size, "8"},
        {"size 30", "font_size_set", "30", size, "30"},
        {"margin 201 stops at 20", "left_margin", "201", "UIOption_2/left_margin", "20"},
        {"text colour", "text_color", "#111111", "UIOption_2/text_color", "#111111"},
        {"picture with a Chinese path", "bg_image", "/图/海.jpg", "UIOption_2/bg_image",
         "/图/海.jpg"},
        {"another theme", "toolButton_1", "click", Config::ThemeNumber, "1"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << r.field << r.value << r.key << r.stored;
}

void TstDialogSetting::eachFieldIsSavedAndShownAgain()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    Fixture f;
    f.store(Config::ThemeNumber, "2");
    f.store(Config::DailyGoal, "4000");
    f.store("UIOption_2/label_color", "#0f0f0f"); // a hidden field, kept by every save
    // Only the row's key may change, to what the field shows.
    QStringList keys = {Config::WordPreChapters, Config::Price,          Config::DailyGoal,
                        Config::FirstIndent1,    Config::BrokenRows,     Config::IndentNumber1,
                        Config::FirstIndent2,    Config::RemoveSpaces,   Config::RemoveLines,
                        Config::ThemeNumber,     "UIOption_1/text_color"};
    for (const char* name :
         {"font_size_set", "left_margin", "text_color", "bg_image", "label_color"})
        keys << QString("UIOption_2/") + name;
    const auto state = [&] {
        QStringList all;
        for (const QString& k : keys)
            all << k + '=' + f.stored(k);
        return all;
    };
    QStringList expected = state();
    expected[keys.indexOf(key)] = key + '=' + stored;

    f.open();
    QWidget* widget = f.get<QWidget>(field);
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        spin->setValue(value.toInt());
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->clear();
        typeText(line, value);
    } else {
        qobject_cast<QAbstractButton*>(widget)->click();
    }
    QList<bool> visibleAtSignal;
    connect(f.dialog.get(), &DialogSetting::save_success,
            [&] { visibleAtSignal << f.dialog->isVisible(); });
    f.get<QAbstractButton>("set_save")->click();
    QCOMPARE(visibleAtSignal, QList<bool>{false});
    QCOMPARE(state(), expected);
    // UTF-8 on disk, so a Chinese path survives a fresh reader.
    QVERIFY(readBytes(f.config).contains(stored.toUtf8()));

    f.open();
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        QCOMPARE(QString::number(spin->value()), stored);
    else if (auto* line = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(line->text(), stored);
    else if (auto* box = qobject_cast<QCheckBox*>(widget))
        QCOMPARE(box->isChecked(), stored == "true");
}

void TstDialogSetting::previewFollowsTheFieldsAndUnsavedEditsGo()
{
    Fixture f;
    f.store("UIOption_1/font_size_set", "24");
    f.open();
    QCOMPARE(f.previewSize(), 24.0);
    f.get("font_size_set")->setText("7"); // too small to show: the preview keeps its size
    QCOMPARE(f.previewSize(), 24.0);
    f.get("font_size_set")->setText("12");
    QCOMPARE(f.previewSize(), 12.0);

    answerColourDialog(QColor(0x12, 0xAB, 0x34));
    f.get<QPushButton>("text_color_select")->click();
    QCOMPARE(f.text("text_color"), QString("#12ab34"));
    QVERIFY(f.get<QTextEdit>("preview_text")->styleSheet().contains("color : #12ab34;"));
    answerColourDialog(QColor());
    f.get<QPushButton>("bg_color_select")->click();
    QCOMPARE(f.text("bg_color"), QString("#eeeeee"));

    // Another theme shows its own stored values, dropping what was typed; cancel stores
    // nothing, and the next opening shows the stored values again.
    f.get<QToolButton>("toolButton_3")->click();
    QCOMPARE(f.text("text_color"), QString("#ffffff"));
    f.get("price")->setText("99");
    f.get<QPushButton>("set_cancel")->click();
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.stored(Config::Price), QString("50"));
    f.open();
    QCOMPARE(f.text("price"), QString("50"));
    QCOMPARE(f.text("text_color"), QString("#000000"));
}

QTEST_MAIN(TstDialogSetting)
#include "tst_dialogsetting.moc"

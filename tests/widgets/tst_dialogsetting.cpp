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
    void openingShowsStoredValuesAndEditsAreDiscarded();
    void saveWritesTheShownThemeWithinBounds_data();
    void saveWritesTheShownThemeWithinBounds();
    void previewFollowsTheFieldsAndTheColourChooser();
    void typesettingTabSavesEachField_data();
    void typesettingTabSavesEachField();
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
    template <typename T = QLineEdit> T* get(const char* name)
    {
        return dialog->findChild<T*>(name);
    }
    QString text(const char* name) { return get(name)->text(); }
    void open()
    {
        dialog->loadSettings();
        dialog->show();
    }
    std::unique_ptr<QSettings> stored() { return std::unique_ptr<QSettings>(Config::open(config)); }
    QTextCharFormat previewFormat()
    {
        QTextCursor c(get<QTextEdit>("preview_text")->document());
        c.movePosition(QTextCursor::NextCharacter);
        return c.charFormat();
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

void TstDialogSetting::openingShowsStoredValuesAndEditsAreDiscarded()
{
    Fixture f;
    f.stored()->setValue(Config::BrokenRows, false);
    f.stored()->setValue(Config::ThemeNumber, "3");
    f.stored()->setValue("UIOption_3/font_size_set", "24");
    f.open();
    QVERIFY(!f.get<QCheckBox>("broken_rows")->isChecked());
    QCOMPARE(f.text("text_color"), QString("#ffffff"));
    QCOMPARE(f.text("font_size_set"), QString("24"));
    QCOMPARE(qRound(f.previewFormat().fontPointSize()), 24);

    // Another theme shows its own stored values, dropping what was typed.
    f.get("text_color")->setText("#abcdef");
    f.get<QToolButton>("toolButton_1")->click();
    QCOMPARE(f.text("text_color"), QString("#000000"));

    // Cancel stores nothing, and the next opening shows the stored values again.
    f.get("price")->setText("99");
    f.get<QPushButton>("set_cancel")->click();
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.stored()->value(Config::Price).toString(), QString("50"));
    f.open();
    QCOMPARE(f.text("price"), QString("50"));
    QCOMPARE(f.text("text_color"), QString("#ffffff"));
}

void TstDialogSetting::saveWritesTheShownThemeWithinBounds_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed"); // key by key, through the field's validator
    QTest::addColumn<QString>("stored");
    const QString size = "UIOption_2/font_size_set";
    QTest::newRow("no size stores 8") << "font_size_set" << size << ""
                                      << "8";
    QTest::newRow("size 5 stores 8") << "font_size_set" << size << "5"
                                     << "8";
    QTest::newRow("size 30") << "font_size_set" << size << "30"
                             << "30";
    QTest::newRow("margin 201 stops at 20") << "left_margin"
                                            << "UIOption_2/left_margin"
                                            << "201"
                                            << "20";
}

void TstDialogSetting::saveWritesTheShownThemeWithinBounds()
{
    QFETCH(QString, field);
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Fixture f;
    f.stored()->setValue("UIOption_2/label_color", "#0f0f0f");
    f.open();
    f.get<QToolButton>("toolButton_2")->click();
    f.get<QCheckBox>("first_indent2")->setChecked(false);
    f.get("text_color")->setText("#111111");
    f.get("bg_image")->setText("/图/海.jpg");
    f.get(qPrintable(field))->clear();
    QTest::keyClicks(f.get(qPrintable(field)), typed);
    QList<bool> visibleAtSignal;
    connect(f.dialog.get(), &DialogSetting::save_success,
            [&] { visibleAtSignal << f.dialog->isVisible(); });
    f.get<QPushButton>("set_save")->click();
    QCOMPARE(visibleAtSignal, QList<bool>{false});

    auto s = f.stored();
    QCOMPARE(s->value(key).toString(), stored);
    QCOMPARE(s->value(Config::FirstIndent2).toBool(), false);
    QCOMPARE(s->value(Config::ThemeNumber).toInt(), 2);
    QCOMPARE(s->value("UIOption_2/text_color").toString(), QString("#111111"));
    QCOMPARE(s->value("UIOption_2/label_color").toString(), QString("#0f0f0f"));
    QCOMPARE(s->value("UIOption_1/text_color").toString(), QString("#000000"));
    // UTF-8 on disk, so the Chinese path survives a fresh reader.
    QVERIFY(readBytes(f.config).contains("/图/海.jpg"));
    f.open();
    QCOMPARE(f.text(qPrintable(field)), stored);
}

void TstDialogSetting::previewFollowsTheFieldsAndTheColourChooser()
{
    Fixture f;
    f.open();
    f.get("font_size_set")->setText("7");
    QCOMPARE(f.previewFormat().fontPointSize(), 20.0);
    f.get("font_size_set")->setText("12");
    QCOMPARE(f.previewFormat().fontPointSize(), 12.0);

    answerColourDialog(QColor(0x12, 0xAB, 0x34));
    f.get<QPushButton>("text_color_select")->click();
    QCOMPARE(f.text("text_color"), QString("#12ab34"));
    QVERIFY(f.get<QTextEdit>("preview_text")->styleSheet().contains("color : #12ab34;"));
    answerColourDialog(QColor());
    f.get<QPushButton>("bg_color_select")->click();
    QCOMPARE(f.text("bg_color"), QString("#eeeeee"));
}

void TstDialogSetting::typesettingTabSavesEachField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value"); // typed, or "click" for a check box
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::newRow("characters per chapter") << "word_pre_chapters"
                                            << "3500"
                                            << "chapterOption/word_pre_chapters"
                                            << "3500";
    QTest::newRow("price") << "price"
                           << "12.5"
                           << "chapterOption/price"
                           << "12.5";
    QTest::newRow("indent on Return") << "first_indent1"
                                      << "click" << Config::FirstIndent1 << "false";
    QTest::newRow("blank line on Return") << "broken_rows"
                                          << "click" << Config::BrokenRows << "false";
    QTest::newRow("indent width") << "indent_number"
                                  << "4" << Config::IndentNumber1 << "4";
    QTest::newRow("one-key indent") << "first_indent2"
                                    << "click" << Config::FirstIndent2 << "false";
    QTest::newRow("one-key spaces") << "remove_spaces"
                                    << "click" << Config::RemoveSpaces << "false";
    QTest::newRow("one-key lines") << "remove_lines"
                                   << "click" << Config::RemoveLines << "true";
}

void TstDialogSetting::typesettingTabSavesEachField()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    Fixture f;
    f.open();
    const QStringList keys = {"chapterOption/word_pre_chapters",
                              "chapterOption/price",
                              Config::FirstIndent1,
                              Config::BrokenRows,
                              Config::IndentNumber1,
                              Config::FirstIndent2,
                              Config::RemoveSpaces,
                              Config::RemoveLines};
    auto state = [&] {
        QStringList all;
        for (const QString& k : keys)
            all << k + '=' + f.stored()->value(k).toString();
        return all;
    };
    QStringList expected = state();
    expected[keys.indexOf(key)] = key + '=' + stored;
    QWidget* widget = f.get<QWidget>(qPrintable(field));
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        spin->setValue(value.toInt());
    else if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->setText(value);
    else
        qobject_cast<QAbstractButton*>(widget)->click();
    f.get<QAbstractButton>("set_save")->click();
    // Only this field's key changed, to what the field shows.
    QCOMPARE(state(), expected);
}

QTEST_MAIN(TstDialogSetting)
#include "tst_dialogsetting.moc"

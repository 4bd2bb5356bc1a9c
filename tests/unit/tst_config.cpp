#include "support/testsupport.h"

#include "library/filecreate.h"
#include "settings/config.h"

#include <QSettings>
#include <QtTest>

class TstConfig : public QObject
{
    Q_OBJECT
private slots:
    void defaultsAreComplete_data();
    void defaultsAreComplete();
    void themeColours_data();
    void themeColours();
    void chineseValuesAreStoredAsUtf8();
    void missingKeysStayMissing();
};

void TstConfig::defaultsAreComplete_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("word_pre_chapters") << "chapterOption/word_pre_chapters" << "3000";
    QTest::newRow("price") << "chapterOption/price" << "50";
    QTest::newRow("first_indent1") << "typeSettingOption/first_indent1" << "true";
    QTest::newRow("broken_rows") << "typeSettingOption/broken_rows" << "true";
    QTest::newRow("indent_number1") << "typeSettingOption/indent_number1" << "2";
    QTest::newRow("first_indent2") << "typeSettingOption/first_indent2" << "true";
    QTest::newRow("remove_spaces") << "typeSettingOption/remove_spaces" << "true";
    QTest::newRow("remove_lines") << "typeSettingOption/remove_lines" << "false";
    QTest::newRow("indent_number2") << "typeSettingOption/indent_number2" << "2";
    QTest::newRow("Theme_Number") << "curThemeOption/Theme_Number" << "1";
    QTest::newRow("cur_open_chapter") << "curThemeOption/cur_open_chapter" << "";
    QTest::newRow("version") << "curThemeOption/version" << "v20170113";
    for (int n = 1; n <= 4; ++n) {
        const QString g = QStringLiteral("UIOption_%1/").arg(n);
        QTest::newRow(qPrintable(g + "font_size_set")) << g + "font_size_set" << "20";
        QTest::newRow(qPrintable(g + "bg_image")) << g + "bg_image" << "";
        QTest::newRow(qPrintable(g + "left_margin")) << g + "left_margin" << "200";
        QTest::newRow(qPrintable(g + "right_margin")) << g + "right_margin" << "200";
        QTest::newRow(qPrintable(g + "font_set")) << g + "font_set" << "文泉驿微米黑";
    }
}

void TstConfig::defaultsAreComplete()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestAppDir app;
    FileCreate::writeDefaultConfig();
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QVERIFY2(s->contains(key), qPrintable(key));
    QCOMPARE(s->value(key).toString(), value);
    QCOMPARE(s->value("curThemeOption/user_data_dir").toString(), app.path());
    QVERIFY(!s->contains("setOption/keySound"));
}

void TstConfig::themeColours_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QStringList>("colours");
    QTest::newRow("1") << 1 << QStringList{"#000000", "#eeeeee", "#eeeeee", "#eeeeee"};
    QTest::newRow("2") << 2 << QStringList{"#000000", "#ffcdec", "#ffcdec", "#ffcdec"};
    QTest::newRow("3") << 3 << QStringList{"#ffffff", "#222222", "#222222", "#222222"};
    QTest::newRow("4") << 4 << QStringList{"#233333", "#ffffff", "#ffffff", "#ffffff"};
}

void TstConfig::themeColours()
{
    QFETCH(int, theme);
    QFETCH(QStringList, colours);
    TestAppDir app;
    FileCreate::writeDefaultConfig();
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    const QStringList keys{"text_color", "bg_color", "window_color", "label_color"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(s->value(Config::themeKey(theme, keys[i])).toString(), colours[i]);
}

void TstConfig::chineseValuesAreStoredAsUtf8()
{
    TestAppDir app;
    FileCreate::writeDefaultConfig();
    const QByteArray raw = readBytes(app.file("config.ini"));
    QVERIFY(raw.contains(QStringLiteral("font_set=文泉驿微米黑").toUtf8()));
    QVERIFY(!raw.contains("\\x"));
    // A round trip through a second settings object keeps the text.
    {
        std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
        s->setValue(Config::CurOpenChapter, app.file("data/我的书籍/林'夕/卷一/第1章.txt"));
    }
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QCOMPARE(s->value(Config::CurOpenChapter).toString(),
             app.file("data/我的书籍/林'夕/卷一/第1章.txt"));
}

void TstConfig::missingKeysStayMissing()
{
    TestAppDir app;
    writeBytes(app.file("config.ini"), "[chapterOption]\nprice=70\n");
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QCOMPARE(s->value(Config::Price).toString(), QString("70"));
    QVERIFY(!s->value(Config::KeySound).toBool());
    QVERIFY(!s->value(Config::themeKey(3, Config::TextColor)).isValid());
}

QTEST_MAIN(TstConfig)
#include "tst_config.moc"

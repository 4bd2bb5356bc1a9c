#include "settings/config.h"
#include "settings/previewstyle.h"
#include "settings/themestyle.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TstThemeStyle : public QObject
{
    Q_OBJECT
private slots:
    void sheetsWithoutPicture();
    void sheetsWithPicture();
    void margins_data();
    void margins();
    void previewSheets_data();
    void previewSheets();
    void fontSizes_data();
    void fontSizes();
};

namespace {

ThemeValues sample(const QString& image)
{
    ThemeValues t;
    t.text = "#010101";
    t.bg = "#020202";
    t.window = "#030303";
    t.label = "#040404";
    t.image = image;
    return t;
}

} // namespace

void TstThemeStyle::sheetsWithoutPicture()
{
    const ThemeSheets s = ThemeSheets::build(sample(""), "QLabel{}");
    QCOMPARE(s.application, "QLabel{}QMainWindow{background-color: #030303;color : #010101;}");
    QCOMPARE(s.editorContainer, "background-color : #020202;color : #010101;");
    QCOMPARE(s.tree, "background-color : #030303;color : #010101;");
    QCOMPARE(s.formatRow, "color :#010101;");
    QCOMPARE(s.titleBar, "color : #010101;");
    QCOMPARE(s.sideStrips, "background-color : #040404;");
    QCOMPARE(s.bottomStrip, "background-color : #030303;");
    QCOMPARE(s.toolBar, "color : #010101;");
    QCOMPARE(s.statusLabels, "color : #010101;");
}

void TstThemeStyle::sheetsWithPicture()
{
    const ThemeSheets s = ThemeSheets::build(sample("/pics/山.png"), "QLabel{}");
    QCOMPARE(s.application, "QLabel{}");
    QCOMPARE(s.editorContainer, "background-color : transparent;color : #010101;");
    QCOMPARE(s.tree, "background-color : transparent;color : #010101;");
    QCOMPARE(s.sideStrips, "background-color : transparent;");
    QCOMPARE(s.bottomStrip, "background-color : transparent;");
    QCOMPARE(s.formatRow, "color :#010101;");
}

void TstThemeStyle::margins_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<double>("expectedLeft");
    QTest::addColumn<double>("expectedRight");
    QTest::newRow("normal window: none") << "200" << "150" << false << 0.0 << 0.0;
    QTest::newRow("maximised or full screen: the theme's") << "200" << "150" << true << 200.0 << 150.0;
    QTest::newRow("decimal text") << "12.5" << "0" << true << 12.5 << 0.0;
    QTest::newRow("non-numeric counts as 0") << "宽" << "" << true << 0.0 << 0.0;
}

void TstThemeStyle::margins()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(bool, wide);
    QFETCH(double, expectedLeft);
    QFETCH(double, expectedRight);
    QTemporaryDir dir;
    const QString path = dir.path() + "/config.ini";
    Config::writeDefaults(path, dir.path());
    std::unique_ptr<QSettings> s(Config::open(path));
    s->setValue(Config::ThemeNumber, "2");
    s->setValue("UIOption_2/left_margin", left);
    s->setValue("UIOption_2/right_margin", right);
    const EditorMargins m = EditorMargins::forWindow(*s, wide);
    QCOMPARE(m.left, expectedLeft);
    QCOMPARE(m.right, expectedRight);
}

void TstThemeStyle::previewSheets_data()
{
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QString>("textSheet");
    QTest::newRow("200 shows as 40") << "200"
                                     << "margin-left :40px;margin-right :40px;color : #0a0b0c;border :0px;";
    QTest::newRow("7 shows as 1") << "7" << "margin-left :1px;margin-right :1px;color : #0a0b0c;border :0px;";
    QTest::newRow("empty shows as 0") << "" << "margin-left :0px;margin-right :0px;color : #0a0b0c;border :0px;";
}

void TstThemeStyle::previewSheets()
{
    QFETCH(QString, margin);
    QFETCH(QString, textSheet);
    QCOMPARE(PreviewStyle::text(margin, margin, "#0a0b0c"), textSheet);
    QCOMPARE(PreviewStyle::background("#C7EDCC", "/图/山.png"),
             "background-color : #C7EDCC;border-image : url(/图/山.png);border :0px;");
    QCOMPARE(PreviewStyle::background("#C7EDCC", ""),
             "background-color : #C7EDCC;border-image : url();border :0px;");
    QCOMPARE(PreviewStyle::themeButton("#222222", "#ffffff"),
             "background-color : #222222;color : #ffffff;");
}

void TstThemeStyle::fontSizes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("preview"); // 0: the preview keeps its size
    QTest::newRow("empty") << "" << "8" << 0;
    QTest::newRow("5") << "5" << "8" << 0;
    QTest::newRow("7") << "7" << "8" << 0;
    QTest::newRow("20") << "20" << "20" << 20;
    QTest::newRow("37 is stored but not previewed") << "37" << "37" << 0;
}

void TstThemeStyle::fontSizes()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(int, preview);
    QCOMPARE(PreviewStyle::storedFontSize(typed), stored);
    int points = 0;
    QCOMPARE(PreviewStyle::previewFontSize(typed, &points), preview != 0);
    QCOMPARE(points, preview);
}

QTEST_GUILESS_MAIN(TstThemeStyle)
#include "tst_themestyle.moc"

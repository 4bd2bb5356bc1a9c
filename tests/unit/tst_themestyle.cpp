#include "settings/themestyle.h"

#include <QtTest>

class TstThemeStyle : public QObject
{
    Q_OBJECT
private slots:
    void sheetsWithoutPicture();
    void sheetsWithPicture();
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

QTEST_GUILESS_MAIN(TstThemeStyle)
#include "tst_themestyle.moc"

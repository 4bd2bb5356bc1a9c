#include "settings/config.h"

#include <QSettings>

#include <memory>

namespace Config {

QString themeGroup(int n) { return QStringLiteral("UIOption_%1").arg(n); }

QString themeKey(int n, const QString& key) { return themeGroup(n) + QLatin1Char('/') + key; }

ThemeColors defaultThemeColors(int n)
{
    switch (n) {
    case 2:
        return {"#000000", "#ffcdec", "#ffcdec", "#ffcdec"};
    case 3:
        return {"#ffffff", "#222222", "#222222", "#222222"};
    case 4:
        return {"#233333", "#ffffff", "#ffffff", "#ffffff"};
    default:
        return {"#000000", "#eeeeee", "#eeeeee", "#eeeeee"};
    }
}

QSettings* open(const QString& path, QObject* parent)
{
    auto* s = new QSettings(path, QSettings::IniFormat, parent);
    s->setIniCodec("utf-8");
    return s;
}

void writeDefaults(const QString& path, const QString& appDir)
{
    std::unique_ptr<QSettings> s(open(path));
    s->setValue(WordPreChapters, QStringLiteral("3000"));
    s->setValue(Price, QStringLiteral("50"));

    s->setValue(FirstIndent1, true);
    s->setValue(BrokenRows, true);
    s->setValue(IndentNumber1, QStringLiteral("2"));
    s->setValue(FirstIndent2, true);
    s->setValue(RemoveSpaces, true);
    s->setValue(RemoveLines, false);
    s->setValue(IndentNumber2, QStringLiteral("2"));

    s->setValue(ThemeNumber, QStringLiteral("1"));
    s->setValue(CurOpenChapter, QString());
    s->setValue(UserDataDir, appDir);
    s->setValue(Version, VersionText);

    for (int n = 1; n <= 4; ++n) {
        const ThemeColors c = defaultThemeColors(n);
        s->beginGroup(themeGroup(n));
        s->setValue(TextColor, c.text);
        s->setValue(BgColor, c.bg);
        s->setValue(WindowColor, c.window);
        s->setValue(LabelColor, c.label);
        s->setValue(FontSizeSet, DefaultFontSize);
        s->setValue(BgImage, QString());
        s->setValue(LeftMargin, DefaultMargin);
        s->setValue(RightMargin, DefaultMargin);
        s->setValue(FontSet, DefaultFontFamily);
        s->endGroup();
    }
    s->sync();
}

} // namespace Config

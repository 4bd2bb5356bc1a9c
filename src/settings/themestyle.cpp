#include "settings/themestyle.h"

#include "settings/config.h"

#include <QSettings>

namespace {

QString read(const QSettings& s, const QString& group, const QString& key)
{
    return s.value(group + QLatin1Char('/') + key).toString();
}

} // namespace

QString ThemeValues::currentGroup(const QSettings& s)
{
    return Config::themeGroup(s.value(Config::ThemeNumber).toInt());
}

ThemeValues ThemeValues::readCurrent(const QSettings& s)
{
    const QString g = currentGroup(s);
    ThemeValues t;
    t.text = read(s, g, Config::TextColor);
    t.bg = read(s, g, Config::BgColor);
    t.window = read(s, g, Config::WindowColor);
    t.label = read(s, g, Config::LabelColor);
    t.image = read(s, g, Config::BgImage);
    t.fontSize = read(s, g, Config::FontSizeSet);
    t.fontFamily = read(s, g, Config::FontSet);
    t.leftMargin = read(s, g, Config::LeftMargin);
    t.rightMargin = read(s, g, Config::RightMargin);
    return t;
}

ThemeSheets ThemeSheets::build(const ThemeValues& theme, const QString& baseSheet)
{
    QString label = theme.label;
    QString bg = theme.bg;
    QString window = theme.window;
    ThemeSheets s;
    s.application = baseSheet;
    if (theme.image.isEmpty()) {
        s.application += QStringLiteral("QMainWindow{background-color: ") + window +
                         QStringLiteral(";color : ") + theme.text + QStringLiteral(";}");
    } else {
        label = bg = window = QStringLiteral("transparent");
    }
    const QString colour = QStringLiteral("color : ") + theme.text + QLatin1Char(';');
    s.editorContainer = QStringLiteral("background-color : ") + bg + QStringLiteral(";color : ") +
                        theme.text + QLatin1Char(';');
    s.tree = QStringLiteral("background-color : ") + window + QStringLiteral(";color : ") +
             theme.text + QLatin1Char(';');
    s.formatRow = QStringLiteral("color :") + theme.text + QLatin1Char(';');
    s.titleBar = colour;
    s.sideStrips = QStringLiteral("background-color : ") + label + QLatin1Char(';');
    s.bottomStrip = QStringLiteral("background-color : ") + window + QLatin1Char(';');
    s.toolBar = colour;
    s.statusLabels = colour;
    return s;
}

EditorMargins EditorMargins::forWindow(const QSettings& s, bool maximisedOrFullScreen)
{
    EditorMargins m;
    if (!maximisedOrFullScreen)
        return m;
    const QString g = ThemeValues::currentGroup(s);
    m.left = read(s, g, Config::LeftMargin).toFloat();
    m.right = read(s, g, Config::RightMargin).toFloat();
    return m;
}

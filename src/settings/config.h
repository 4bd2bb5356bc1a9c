#pragma once

#include <QString>

class QObject;
class QSettings;

// Every group, key and default of config.ini, and the one way to open that file.
namespace Config {

// chapterOption
inline const QString WordPreChapters = QStringLiteral("chapterOption/word_pre_chapters");
inline const QString Price = QStringLiteral("chapterOption/price");
// typeSettingOption
inline const QString FirstIndent1 = QStringLiteral("typeSettingOption/first_indent1");
inline const QString BrokenRows = QStringLiteral("typeSettingOption/broken_rows");
inline const QString IndentNumber1 = QStringLiteral("typeSettingOption/indent_number1");
inline const QString FirstIndent2 = QStringLiteral("typeSettingOption/first_indent2");
inline const QString RemoveSpaces = QStringLiteral("typeSettingOption/remove_spaces");
inline const QString RemoveLines = QStringLiteral("typeSettingOption/remove_lines");
inline const QString IndentNumber2 = QStringLiteral("typeSettingOption/indent_number2");
// curThemeOption
inline const QString ThemeNumber = QStringLiteral("curThemeOption/Theme_Number");
inline const QString CurOpenChapter = QStringLiteral("curThemeOption/cur_open_chapter");
inline const QString UserDataDir = QStringLiteral("curThemeOption/user_data_dir");
inline const QString Version = QStringLiteral("curThemeOption/version");
// setOption
inline const QString KeySound = QStringLiteral("setOption/keySound");
// windowOption: the catalog column's width as the author last dragged it; not written with
// the defaults, a missing key means the width the names need.
inline const QString CatalogWidth = QStringLiteral("windowOption/catalog_width");

// chapterOption: the net characters a day the author aims at; not written with the
// defaults, a missing key means DefaultDailyGoal.
inline const QString DailyGoal = QStringLiteral("chapterOption/daily_goal");
inline const int DefaultDailyGoal = 4000;

inline const QString VersionText = QStringLiteral("v20170113");

// Keys of one theme group UIOption_N.
inline const QString TextColor = QStringLiteral("text_color");
inline const QString BgColor = QStringLiteral("bg_color");
inline const QString WindowColor = QStringLiteral("window_color");
inline const QString LabelColor = QStringLiteral("label_color");
inline const QString FontSizeSet = QStringLiteral("font_size_set");
inline const QString BgImage = QStringLiteral("bg_image");
inline const QString LeftMargin = QStringLiteral("left_margin");
inline const QString RightMargin = QStringLiteral("right_margin");
inline const QString FontSet = QStringLiteral("font_set");

QString themeGroup(int n);                   // "UIOption_<n>"
QString themeKey(int n, const QString& key); // "UIOption_<n>/<key>"

// The default colours of theme n (1–4): text, background, window, label.
struct ThemeColors {
    QString text, bg, window, label;
};
ThemeColors defaultThemeColors(int n);
inline const QString DefaultFontSize = QStringLiteral("20");
inline const QString DefaultMargin = QStringLiteral("200");
inline const QString DefaultFontFamily = QStringLiteral("文泉驿微米黑");

// A settings object on `path` in INI format with the UTF-8 codec. Nothing else in the
// program constructs a QSettings for config.ini.
QSettings* open(const QString& path, QObject* parent = nullptr);
// Writes every default into `path`, in the documented order; `appDir` is recorded as the
// user data directory.
void writeDefaults(const QString& path, const QString& appDir);

} // namespace Config

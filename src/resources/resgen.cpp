// Draws the program's pictures at build time and writes a resource list for rcc.
// The artwork is deliberately simple: flat shapes and glyphs of the icon font in the gray
// theme's ink colour, legible at 15 to 40 pixels. The icon font itself is copied in as
// found on the build machine; it is never kept in the source tree.
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

namespace {

const QColor kInk("#454648");
const QColor kLight("#B8B8B8");
QString g_iconFamily;

QImage canvas(int width, int height)
{
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage canvas(int size) { return canvas(size, size); }

// The program icon: an ink-blue page with a pen stroke, drawn on a 64-unit grid at any
// size (packaging/lorvane.svg is the same drawing for the scalable icon).
QImage appIcon(int size = 64)
{
    QImage img = canvas(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setBrush(QColor("#2f5d8a"));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(18, 14, 28, 36));
    p.setPen(QPen(QColor("#2f5d8a"), 3, Qt::SolidLine, Qt::RoundCap));
    for (int y = 22; y <= 42; y += 7)
        p.drawLine(QPointF(23, y), QPointF(41, y));
    return img;
}

void drawGlyph(QPainter& p, const QRectF& box, ushort glyph, const QColor& color, int pixels)
{
    QFont font(g_iconFamily);
    font.setPixelSize(pixels);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, QString(QChar(glyph)));
}

// One glyph of the icon font, centred on a square canvas.
QImage glyphIcon(ushort glyph, const QColor& color, int size = 64, int pixels = 44)
{
    QImage img = canvas(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawGlyph(p, img.rect(), glyph, color, pixels);
    return img;
}

// The message box pictures: a white glyph on a coloured disc.
QImage badge(ushort glyph, const QColor& disc)
{
    QImage img = canvas(64);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(QRectF(3, 3, 58, 58));
    p.setRenderHint(QPainter::TextAntialiasing);
    drawGlyph(p, QRectF(3, 3, 58, 58), glyph, Qt::white, 34);
    return img;
}

// A theme button that is the current one: a dark frame with a check mark in the corner.
QImage selectMark()
{
    QImage img = canvas(64);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    QPainterPath corner;
    corner.moveTo(62, 34);
    corner.lineTo(62, 62);
    corner.lineTo(34, 62);
    corner.closeSubpath();
    p.drawPath(corner);
    drawGlyph(p, QRectF(44, 44, 18, 18), 0xf00c, Qt::white, 14);
    return img;
}

QImage checkBox(bool checked)
{
    QImage img = canvas(20);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(checked ? kInk : kLight, 1.5));
    p.setBrush(checked ? kInk : QColor(Qt::white));
    p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 3, 3);
    if (checked) {
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(5, 10), QPointF(8.5, 13.5), QPointF(15, 6.5)}));
    }
    return img;
}

QImage radio(bool selected)
{
    QImage img = canvas(15);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(selected ? kInk : kLight, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1, 1, 13, 13));
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QRectF(4, 4, 7, 7));
    }
    return img;
}

// Tree branch lines, drawn for the 20-pixel indentation of the catalog.
enum class Branch { Line, More, End };
QImage branchLine(Branch kind)
{
    QImage img = canvas(20);
    QPainter p(&img);
    p.setPen(QPen(kLight, 1, Qt::DotLine));
    const qreal mid = 9.5;
    p.drawLine(QPointF(mid, 0), QPointF(mid, kind == Branch::End ? mid : 20));
    if (kind != Branch::Line)
        p.drawLine(QPointF(mid, mid), QPointF(20, mid));
    return img;
}

struct Entry {
    QString alias;
    QString file;
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: lorvane_resgen DIR ICON_FONT\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString fontPath = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(dir))
        return 1;
    const int fontId = QFontDatabase::addApplicationFont(fontPath);
    if (fontId < 0 || QFontDatabase::applicationFontFamilies(fontId).isEmpty()) {
        std::fprintf(stderr, "lorvane_resgen: cannot load the icon font %s\n", argv[2]);
        return 1;
    }
    g_iconFamily = QFontDatabase::applicationFontFamilies(fontId).first();

    QList<Entry> entries;
    bool ok = true;
    auto save = [&](const QString& alias, const QImage& img) {
        const QString file = QString(alias).replace(QLatin1Char('/'), QLatin1Char('_')) + ".png";
        ok = img.save(dir + QLatin1Char('/') + file) && ok;
        entries.append({alias, file});
    };

    save("icon/lorvane", appIcon());
    // The desktop's icon theme sizes, for the installed menu entry; not compiled in.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sub = QStringLiteral("/hicolor/%1x%1/apps").arg(size);
        ok = QDir().mkpath(dir + sub) && appIcon(size).save(dir + sub + "/lorvane.png") && ok;
    }
    // The icon row of the main window (shown at 40 x 40) and the browser's home button.
    const QList<QPair<const char*, ushort>> row{
        {"icon/sidebar", 0xf0db}, {"icon/fullscreen", 0xf065}, {"icon/settings", 0xf013},
        {"icon/tools", 0xf0ad},   {"icon/lock", 0xf023},       {"icon/search", 0xf002},
        {"icon/one_key", 0xf1dd}, {"icon/bak", 0xf1da},        {"icon/recycle", 0xf1f8},
        {"icon/homepage", 0xf015}};
    for (const auto& icon : row)
        save(icon.first, glyphIcon(icon.second, kInk));
    save("icon/select", selectMark());

    save("image/info", badge(0xf129, QColor("#2f7dc1")));
    save("image/question", badge(0xf128, QColor("#e08a1e")));
    save("image/error", badge(0xf00d, QColor("#d23c3c")));

    save("image/checkbox_unchecked", checkBox(false));
    save("image/checkbox_checked", checkBox(true));
    save("image/radio_normal", radio(false));
    save("image/radio_selected", radio(true));
    save("image/array_down", glyphIcon(0xf0d7, kInk, 15, 13));
    save("image/branch-closed", glyphIcon(0xf0da, kInk, 20, 14));
    save("image/branch-open", glyphIcon(0xf0d7, kInk, 20, 14));
    save("image/vline", branchLine(Branch::Line));
    save("image/branch-more", branchLine(Branch::More));
    save("image/branch-end", branchLine(Branch::End));
    if (!ok)
        return 1;

    const QString fontFile = QStringLiteral("fontawesome-webfont.ttf");
    QFile::remove(dir + QLatin1Char('/') + fontFile);
    if (!QFile::copy(fontPath, dir + QLatin1Char('/') + fontFile))
        return 1;
    entries.append({QStringLiteral("image/fontawesome-webfont"), fontFile});

    QFile qrc(dir + "/generated.qrc");
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n";
    for (const Entry& e : entries)
        out << "    <file alias=\"" << e.alias << "\">" << e.file << "</file>\n";
    out << "  </qresource>\n</RCC>\n";
    return 0;
}

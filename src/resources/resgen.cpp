// Draws the program's pictures at build time and writes a resource list for rcc.
// The artwork is deliberately simple: flat shapes, legible at 15 to 40 pixels.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

namespace {

QImage canvas(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// The program icon: an ink-blue page with a pen stroke.
QImage appIcon()
{
    QImage img = canvas(64);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
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

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lorvane_resgen DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir))
        return 1;

    struct Entry {
        QString alias;
        QString file;
    };
    QList<Entry> entries;
    auto save = [&](const QString& alias, const QImage& img) {
        const QString file = QString(alias).replace(QLatin1Char('/'), QLatin1Char('_')) + ".png";
        if (!img.save(dir + QLatin1Char('/') + file))
            return false;
        entries.append({alias, file});
        return true;
    };
    if (!save(QStringLiteral("icon/lorvane"), appIcon()))
        return 1;

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

// Writes the five short key sounds of the installation into the directory given on the
// command line. Each is a decaying sine burst; only their distinctness matters.
#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QtMath>

#include <cstdio>

namespace {

constexpr int kRate = 22050;

QByteArray wav(double frequency, int milliseconds, double decay)
{
    const int samples = kRate * milliseconds / 1000;
    QByteArray pcm;
    QDataStream pcmOut(&pcm, QIODevice::WriteOnly);
    pcmOut.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < samples; ++i) {
        const double t = double(i) / kRate;
        const double v = qSin(2 * M_PI * frequency * t) * qExp(-decay * t);
        pcmOut << qint16(v * 12000);
    }

    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + pcm.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(pcm.size());
    out.writeRawData(pcm.constData(), pcm.size());
    return file;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lorvane_soundgen DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir))
        return 1;
    struct Sound {
        const char* name;
        double frequency;
        int ms;
        double decay;
    };
    const Sound sounds[] = {{"key.wav", 1800, 35, 120},
                            {"return.wav", 900, 90, 40},
                            {"space.wav", 1200, 45, 90},
                            {"scroll.wav", 2400, 25, 160},
                            {"lock.wav", 660, 400, 6}};
    for (const Sound& s : sounds) {
        QFile f(dir + QLatin1Char('/') + QLatin1String(s.name));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(wav(s.frequency, s.ms, s.decay));
    }
    return 0;
}

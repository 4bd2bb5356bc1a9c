#include "library/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QTextCodec>

namespace TextFile {

QString decode(const QByteArray& bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QTextCodec::ConverterState state;
    const QString utf8 = QTextCodec::codecForName("UTF-8")->toUnicode(data.constData(),
                                                                      data.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return utf8;
    return QTextCodec::codecForName("GB18030")->toUnicode(data);
}

bool read(const QString& path, QString* text)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    *text = decode(f.readAll());
    return true;
}

bool writeAtomic(const QString& path, const QString& text, QString* error)
{
    QSaveFile f(path);
    // Unbuffered, so a failing write (a full disk) is seen by write() and commit() refuses
    // to replace the old file; through the buffer the failure would surface too late.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Unbuffered)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (f.write(bytes) != bytes.size()) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        f.commit();
        return false;
    }
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace TextFile

#include "library/textfile.h"

#include <QFile>
#include <QSaveFile>

#include <utility>

namespace TextFile {

QString decode(const QByteArray& bytes) { return TextDecoder::decode(bytes).text; }

bool read(const QString& path, QString* text, TextDecoder::Result* decoded)
{
    // Raw bytes: the device's text mode would drop 0x0D bytes inside UTF-16 characters
    // (不 is 0D 4E); the decoder turns line breaks into line feeds itself.
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    TextDecoder::Result result = TextDecoder::decode(f.readAll());
    *text = result.text;
    if (decoded)
        *decoded = std::move(result);
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

#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>

// Desktop-wide key events on X11 through the RECORD extension: every key press, auto-repeat
// and release of every client reaches `handler` on the GUI thread, with the symbols on the
// key's first and second level. Recording only watches; it cannot drop an event.
class X11KeyRecorder : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(quint32 level1, quint32 level2, bool pressed)>;

    X11KeyRecorder(const QByteArray& displayName, Handler handler, QObject* parent = nullptr);
    ~X11KeyRecorder() override;

    // False when the display or its RECORD extension is not available.
    bool start();
    void stop();
    bool isRecording() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

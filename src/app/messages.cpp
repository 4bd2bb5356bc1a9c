#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

int defaultPresenter(const QString& text, int kind)
{
    QMessageBox box;
    box.setWindowTitle(kind == Messages::Error      ? QStringLiteral("错误")
                       : kind == Messages::Question ? QStringLiteral("询问")
                                                    : QStringLiteral("提示"));
    box.setText(text);
    box.setIcon(kind == Messages::Error      ? QMessageBox::Critical
                : kind == Messages::Question ? QMessageBox::Question
                                             : QMessageBox::Information);
    if (kind == Messages::Question)
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok ? 1 : 0;
}

Messages::Presenter& presenter()
{
    static Messages::Presenter p;
    return p;
}

} // namespace

namespace Messages {

int show(const QString& text, int kind)
{
    const Presenter& p = presenter();
    if (p)
        return p(text, kind);
    return defaultPresenter(text, kind);
}

void setPresenter(Presenter p) { presenter() = std::move(p); }

} // namespace Messages

#include "app/messages.h"

#include "app/frmmessagebox.h"

namespace {

int defaultPresenter(const QString& text, int kind)
{
    // The box deletes itself when closed; exec() still hands back the result.
    auto* box = new frmMessageBox;
    box->setMessage(text, kind);
    return box->exec();
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

#include "app/platform/desktopservices.h"

#include <QDebug>

namespace {

class InactiveShortcut : public GlobalShortcut
{
public:
    using GlobalShortcut::GlobalShortcut;
    bool isRegistered() const override { return false; }
};

std::unique_ptr<DesktopServices>& current()
{
    static std::unique_ptr<DesktopServices> s;
    return s;
}

std::unique_ptr<DesktopServices> makeNativeServices()
{
    return std::make_unique<NullDesktopServices>();
}

} // namespace

std::unique_ptr<GlobalShortcut> NullDesktopServices::createGlobalShortcut(const QKeySequence& key,
                                                                          QObject* parent)
{
    qWarning().noquote() << "QxtGlobalShortcut failed to register:" << key.toString();
    return std::make_unique<InactiveShortcut>(parent);
}

namespace Platform {

DesktopServices& services()
{
    auto& s = current();
    if (!s)
        s = makeNativeServices();
    return *s;
}

void install(DesktopServices* services) { current().reset(services); }

} // namespace Platform

#include "app/platform/desktopservices.h"

#include "app/logcategories.h"

#if defined(Q_OS_WIN)
#include "app/platform/windesktopservices.h"
#elif defined(LORVANE_HAVE_X11)
#include "app/platform/x11desktopservices.h"
#endif

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
#if defined(Q_OS_WIN)
    return std::make_unique<WinDesktopServices>();
#else
#if defined(LORVANE_HAVE_X11)
    if (std::unique_ptr<DesktopServices> x11 = X11DesktopServices::create())
        return x11;
#endif
    qCDebug(lcPlatform)
        << "No X11 display: running without keyboard hook, global hotkey and key swallowing";
    return std::make_unique<NullDesktopServices>();
#endif
}

} // namespace

std::unique_ptr<GlobalShortcut> NullDesktopServices::createGlobalShortcut(const QKeySequence& key,
                                                                          QObject* parent)
{
    qCWarning(lcPlatform).noquote() << "QxtGlobalShortcut failed to register:" << key.toString();
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

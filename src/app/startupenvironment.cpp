#include "app/startupenvironment.h"

#include <QByteArray>

namespace StartupEnvironment {

void apply()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

} // namespace StartupEnvironment

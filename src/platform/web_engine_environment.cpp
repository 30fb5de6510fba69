#include "platform/web_engine_environment.h"

#include <QByteArray>
#include <QtGlobal>

#include <unistd.h>

namespace platform {

void allowWebEngineAsRoot()
{
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace platform

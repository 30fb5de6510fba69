#include "platform/user_services.h"

#include <QtGlobal>

namespace platform {

namespace {
UiServices *g_services = nullptr;
}

UiServices &UiServices::instance()
{
    Q_ASSERT_X(g_services, "UiServices::instance", "no UI services installed");
    return *g_services;
}

void UiServices::install(UiServices *services)
{
    g_services = services;
}

} // namespace platform

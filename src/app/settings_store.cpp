#include "app/settings_store.h"

#include "app/startup.h"

namespace app {

platform::Folders SettingsStore::folders(std::optional<platform::AppError> *error)
{
    return GetSPF(error);
}

SettingsLoad SettingsStore::load(const platform::Folders &folders)
{
    return GetInitial(folders.settingsFile(), folders.oldSettingsFile());
}

bool SettingsStore::save(const Settings &settings, const platform::Folders &folders, bool windowNormal,
                         platform::AppError *error)
{
    return SetInitial(settings, folders.settingsFile(), windowNormal, error);
}

} // namespace app

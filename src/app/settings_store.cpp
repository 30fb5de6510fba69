#include "app/settings_store.h"

#include "app/startup.h"

namespace app {

platform::Folders SettingsStore::folders(std::optional<platform::AppError> *error)
{
    return GetSPF(error);
}

settings::SettingsLoad SettingsStore::load(const platform::Folders &folders)
{
    return settings::GetInitial(folders.settingsFile(), folders.oldSettingsFile());
}

bool SettingsStore::save(const settings::Settings &settings, const platform::Folders &folders, bool windowNormal,
                         platform::AppError *error)
{
    return settings::SetInitial(settings, folders.settingsFile(), windowNormal, error);
}

} // namespace app

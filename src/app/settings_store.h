#pragma once

#include "platform/apperror.h"
#include "platform/folders.h"
#include "settings/settings.h"

#include <optional>

namespace app {

// Where the main window finds its folders and keeps its settings: the desktop's standard folders and
// the settings file in them (GetSPF, GetInitial, SetInitial). Tests give the window a store of their own.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual platform::Folders folders(std::optional<platform::AppError> *error);
    virtual settings::SettingsLoad load(const platform::Folders &folders);
    virtual bool save(const settings::Settings &settings, const platform::Folders &folders, bool windowNormal,
                      platform::AppError *error);
};

} // namespace app

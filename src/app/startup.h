#pragma once

#include "platform/apperror.h"
#include "platform/folders.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {
class SingleInstance;
class UiServices;
} // namespace platform

namespace app {

// Refuses a second running copy: tells the user and answers false; the first copy is left alone.
bool checkSingleInstance(platform::SingleInstance &instance, platform::UiServices &ui);

// The program's folders from the desktop's standard locations. An error when a location is unknown.
platform::Folders GetSPF(std::optional<platform::AppError> *error = nullptr);

// Creates the documents folder, the data folder, the application data root and the application data
// folder, in that order, when missing. Every folder is tried; the first failure is given back.
std::optional<platform::AppError> MakeSpecialFolder(const platform::Folders &folders);

// The files shipped beside the program that are copied into the data folder on first run, in order.
QStringList sampleFileNames();

// First-run copies: the BarCode folder only while its target is missing, the sample files only while
// theirs are; nothing already there is overwritten. Every copy is tried and the first failure given
// back; what was copied stays.
std::optional<platform::AppError> AppDataFilesCopy(const platform::Folders &folders);

// The help file in the program folder: the HTML help when shipped, otherwise "vennlo.chm".
QString helpFilePath(const platform::Folders &folders);
QString readMeFilePath(const platform::Folders &folders);

} // namespace app

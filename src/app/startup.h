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

// Refuses a second running copy and answers false; the first copy is left alone. A second copy given a
// file hands it to the first, which opens it; without a file, or when the first copy does not take it,
// the user is told the program already runs. The first copy starts listening for such files.
bool checkSingleInstance(platform::SingleInstance &instance, platform::UiServices &ui, const QString &file = {});

// The file named on the command line as an absolute path: a relative one is taken from the current
// folder, and a file: URL (as some launchers pass) becomes its local path. Empty when none or not local.
QString givenFilePath(const QString &argument);

// What a file given on the command line is opened as, by its extension: a shelf-label design (.hdn),
// a price-tag design (.cdn), otherwise a product list, as 開く would read it.
enum class GivenFileKind { ProductList, ShelfDesign, TagDesign };
GivenFileKind givenFileKind(const QString &path);

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

#pragma once

#include "platform/apperror.h"

#include <QString>
#include <QStringList>

#include <functional>

// Data files that releases up to 2.07 kept inside the program folder: product lists, design files
// and logos, found there and copied into the data folder without ever overwriting a file.
namespace dialogs {

// True for a name whose last three characters, in lower case, are csv, hdn, cdn, jpg or gif
// ("PRICE.CSV" yes, "logo.jpeg" no).
bool isOldDataFileName(const QString &fileName);

struct OldFileSearch {
    QStringList paths;        // full paths, each folder's finds ahead of those of folders searched before it
    platform::AppError error; // set when a folder could not be read; what was found before stays
    QString errorFolder;
};

// Called once per file looked at, so that a window can keep itself responsive.
using FileProgress = std::function<void()>;

// Walks programFolder and its sub-folders (files and then sub-folders of each folder by name;
// links to folders are not followed). A file counts when its name qualifies and dataFolder has no
// file of that name. The finds of each folder go to the top of the list in the order found.
OldFileSearch findOldDataFiles(const QString &programFolder, const QString &dataFolder,
                               const FileProgress &progress = {});

struct OldFileCopy {
    int copied = 0;
    int skipped = 0;          // the source is gone or the data folder already holds that name
    platform::AppError error; // the copy that failed stops the rest; copies before it stay
};

// Copies each source into dataFolder under its own name, in order, never over an existing file.
OldFileCopy copyOldDataFiles(const QStringList &sources, const QString &dataFolder, const FileProgress &progress = {});

} // namespace dialogs

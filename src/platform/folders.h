#pragma once

#include <QString>

namespace platform {

// The program's folders, computed once at start-up.
struct Folders {
    QString documents;    // documents + "/Vestrel"
    QString data;         // documents + "/値札データ": where file dialogs start; sample files
    QString appDataRoot;  // per-user application data + "/Vestrel"
    QString appData;      // appDataRoot + "/Vennla": settings file, BarCode images, generated pages
    QString barcode;      // appData + "/BarCode/" (with the trailing separator)
    QString programFiles; // where programs are installed (the browser choice starts here)
    QString program;      // the folder of the shipped files

    QString settingsFile() const { return appData + QStringLiteral("/vennlo.ini"); }
    QString oldSettingsFile() const { return program + QStringLiteral("/vennlo.ini"); }

    // From the desktop's standard locations (HOME, XDG_* variables).
    static Folders standard();
};

// The folder of the files shipped with the program: beside the executable in the build tree,
// ../share/vennlo when installed.
QString programFolder();
// The same for an executable in exeDir; usable before the application object exists.
QString programFolderOf(const QString &exeDir);

} // namespace platform

#pragma once

#include "common/print_calibration.h"
#include "dialogs/browser_settings.h"
#include "ledger/design.h"
#include "platform/apperror.h"
#include "price_tags/design.h"
#include "products/tax.h"
#include "settings/settings_keys.h"
#include "shelf_labels/design.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace settings {

// The main window's size and the list view's column widths, in twips.
struct WindowStatus {
    int width = keys::StatusW.defaultNumber();
    int height = keys::StatusH.defaultNumber();
    std::array<int, 6> columnWidth{
        keys::ColumnWidth[0].defaultNumber(), keys::ColumnWidth[1].defaultNumber(),
        keys::ColumnWidth[2].defaultNumber(), keys::ColumnWidth[3].defaultNumber(),
        keys::ColumnWidth[4].defaultNumber(), keys::ColumnWidth[5].defaultNumber(),
    };
    bool operator==(const WindowStatus &) const = default;
};

using BrowserSettings = dialogs::BrowserSettings;

// Every setting of the program, one sub-record per maker; loaded once at start-up, written at exit.
struct Settings {
    shelf_labels::ShelfLabelDesign shelf;
    price_tags::PriceTagDesign tag;
    ledger::LedgerDesign ledger;
    products::TaxSettings tax;
    BrowserSettings browser;
    int excelEX = keys::ExcelEX.defaultNumber();
    int gridFont = keys::GridFont.defaultNumber(); // the list view's font size
    common::PrintCalibration calibration;
    WindowStatus status;
    bool operator==(const Settings &) const = default;
};

// One failure met while loading or saving, with the label its report names.
struct SettingsReport {
    QString label; // "main.GetInitial", "Plus130MyIni", ...
    platform::AppError error;
};

struct SettingsLoad {
    Settings settings;
    QList<SettingsReport> reports;
};

} // namespace settings

class QWidget;

namespace platform {
class ProfileFile;
class UiServices;
} // namespace platform

namespace settings {

// Labels of the reports below. A report labelled MakeMyIniLabel is not an error report: it is shown
// as a box without icon, titled "エラー情報(MakeMyIni)", saying "初期化ファイルの作成に失敗しました"
// (settingsReportBox() gives that form); every other label is shown as the error report
// (platform::errorReportText(label, error), title platform::reportTitle(), critical icon).
inline const QString MakeMyIniLabel = QStringLiteral("MakeMyIni");
inline const QString GetInitialLabel = QStringLiteral("main.GetInitial");
inline const QString GetOldIniLabel = QStringLiteral("main.GetOldIni");
inline const QString SetInitialLabel = QStringLiteral("main.SetInitial");
inline const QString Plus130MyIniLabel = QStringLiteral("Plus130MyIni");
inline const QString Plus132iniLabel = QStringLiteral("Plus132ini");
inline const QString Plus142iniLabel = QStringLiteral("Plus142ini");

// The default content of a new settings file (CP932, CR LF).
QByteArray defaultSettingsBytes();

// Creates the settings file with the default content (atomically). False with error set when the file
// cannot be written; the caller then reports MakeMyIniLabel.
bool MakeMyIni(const QString &path, platform::AppError *error = nullptr);

// Makes the settings file when missing, upgrades it and loads every setting; with writeToDisk false
// nothing is written (upgrades and fallbacks in memory only). oldPath is the older file in the
// program folder that a new installation takes over once.
//
// Never fails as a whole: what cannot be read takes its default and loading goes on. The reports, in
// the order met, are for the start-up code to show (settingsReportBox()):
//   MakeMyIniLabel          the new file could not be written (the defaults are used in memory);
//   GetInitialLabel         the file cannot be read at all, or (error 13) keys whose values could not
//                           be used, named in the description ("[Bunkatsu] W, [FontColor] 0"), which
//                           took their defaults: a number that is not one, a colour, font size, font
//                           name or border word that could not stand in a page's style sheet, or a
//                           value whose bytes are not CP932 (as a UTF-8 editor writes them);
//   GetOldIniLabel          the same for the older file being taken over;
//   Plus130MyIniLabel ...   an upgrade could not be saved into its file (the upgrade holds in memory).
// Values that later code divides by ([Bunkatsu] W/H, [CBun] W/H, [DC] LIP) are kept as the file has
// them, 0 included: the makers refuse them when they make a sheet.
SettingsLoad GetInitial(const QString &path, const QString &oldPath, bool writeToDisk = true);

// Takes the settings over from the older file in the program folder: the load steps of GetInitial
// read from oldPath, and the upgrades are written into that file (when writeToDisk).
SettingsLoad GetOldIni(const QString &oldPath, bool writeToDisk = true);

// The upgrades that add the sections of later versions, applied to a profile in memory (the caller
// saves it). Each returns true when it changed the profile, i.e. when its trigger key was missing:
// Plus130MyIni [CMake] LG, Plus132ini [Border] S, Plus142ini [CHeight] S.
bool Plus130MyIni(platform::ProfileFile &profile);
bool Plus132ini(platform::ProfileFile &profile);
bool Plus142ini(platform::ProfileFile &profile);

// Every setting written into a profile in memory, in the order of the settings file; other lines of
// the profile stay. windowNormal false leaves [Status] W, H and the column widths alone. Values that
// code page 932 cannot hold are not written (the old value stays); their keys are added to
// unwritableKeys ("[Header] string").
void writeSettings(const Settings &settings, platform::ProfileFile &profile, bool windowNormal,
                   QStringList *unwritableKeys = nullptr);

// Writes every setting back (one atomic save: a failed save leaves the old file as it was). False
// with error set when the file could not be saved, or when some value could not be written as CP932
// (error 380 naming the keys; the rest was saved). The caller reports SetInitialLabel.
bool SetInitial(const Settings &settings, const QString &path, bool windowNormal, platform::AppError *error);

// How a report is shown: title, text and icon of its message box.
struct SettingsReportBox {
    QString title;
    QString text;
    bool critical = true; // false: no icon
};
SettingsReportBox settingsReportBox(const SettingsReport &report);
// Shows each report in its box, one after the other, through platform::UiServices (start-up calls
// this with GetInitial's reports; closing with a SetInitialLabel report when SetInitial failed).
void showSettingsReports(platform::UiServices &services, const QList<SettingsReport> &reports,
                         QWidget *parent = nullptr);

} // namespace settings

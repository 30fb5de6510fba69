#pragma once

#include "ledger/ledger_settings.h"
#include "platform/apperror.h"
#include "price_tags/price_tag_design.h"
#include "products/tax.h"
#include "shelf_labels/shelf_label_design.h"

#include <QList>
#include <QString>

#include <array>

namespace app {

struct WindowStatus {
    int width = 9492;  // twips
    int height = 6444; // twips
    std::array<int, 6> columnWidth{900, 1700, 1700, 900, 1700, 1700}; // twips
    bool operator==(const WindowStatus &) const = default;
};

struct BrowserSettings {
    int used = 0; // BR/Used
    QString path; // BR/Path
    bool operator==(const BrowserSettings &) const = default;
};

// Every setting of the program, one sub-record per maker; loaded once at start-up, written at exit.
struct Settings {
    shelf_labels::ShelfLabelDesign shelf;
    price_tags::PriceTagDesign tag;
    ledger::LedgerSettings ledger;
    products::TaxSettings tax;
    BrowserSettings browser;
    int excelEX = 0;   // Excel/EX
    int gridFont = 9;  // Size/GridFont
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

} // namespace app

namespace app {

// The default content of a new settings file (CP932, CR LF).
QByteArray defaultSettingsBytes();

// Makes the settings file when missing, upgrades it and loads every setting; with writeToDisk false
// nothing is written (upgrades and fallbacks in memory only). oldPath is the older file in the
// program folder that a new installation takes over once.
SettingsLoad GetInitial(const QString &path, const QString &oldPath, bool writeToDisk = true);

// Writes every setting back. windowNormal false leaves [Status] W, H and the column widths alone.
bool SetInitial(const Settings &settings, const QString &path, bool windowNormal, platform::AppError *error);

} // namespace app

#pragma once

// What the three makers (shelf labels, price tags, ledger) share with their windows and the command
// line: the refusal of a make's input checks and the result of a make.

#include "platform/apperror.h"
#include "platform/user_services.h"

#include <QString>

#include <functional>

namespace common {

using Icon = platform::UiServices::Icon;

// Called as a make goes on, so that a window can keep itself painted.
using Progress = std::function<void()>;

// Where a maker window goes after it has shown a refusal.
enum class Next {
    None,
    LogoSize,    // the logo boxes back to the picture's own size
    Copies,      // the slot's copies box back to "0"
    CardHeight,  // tab デザイン(1), focus on the fixed card height
    FirstCopies, // tab データ, the first copies box selected and focused
    Division,    // tab デザイン(1), focus on the cards per row
    StartPage,   // the start page box back to "1"
};

// A make's input checks: the message box that stops the make and where the window goes next. An
// empty text lets the make go on.
struct Refusal {
    QString title;
    QString text;
    Icon icon = Icon::Information;
    Next next = Next::None;
    int slot = -1; // the product slot the refusal is about, for Next::Copies
    bool refused() const { return !text.isEmpty(); }
    bool operator==(const Refusal &) const = default;
};

// The most cards one sheet may hold, the blank cells before the start position included: far beyond
// any shop's sheet, yet small enough that a mistyped start position, division or copies count is
// refused at once instead of writing gigabytes.
inline constexpr qint64 MaxSheetCards = 1000000;
// The refusal of a sheet beyond MaxSheetCards, under the title of its maker.
Refusal tooManyCards(const QString &title);

// The longest start-position list a designer offers: a design file may name any division, and a
// list longer than this is of no use to anyone.
inline constexpr qint64 MaxStartPositions = 10000;

// A make: the page written (with its completion message), the refusal of its checks, or the error
// report of the step that failed. The completion message only follows a page that was really written.
struct MakeResult {
    enum Kind { Made, Refused, Failed };
    Kind kind = Refused;
    QString title; // the box the window shows and the command line prints
    QString text;
    Icon icon = Icon::Information;
    QString path;             // the page written, when made
    Next next = Next::None;   // when refused
    int slot = -1;            // when refused
    platform::AppError error; // when failed

    bool ok() const { return kind == Made; }
    Refusal refusal() const { return {title, text, icon, next, slot}; }

    static MakeResult made(const QString &path, const QString &title, const QString &text);
    static MakeResult refusedBy(const Refusal &refusal);
    // The error report of label (platform::errorReportText).
    static MakeResult failed(const QString &label, const platform::AppError &error);
};

} // namespace common

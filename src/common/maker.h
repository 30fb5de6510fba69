#pragma once

// What every maker shares with its window and the command line: the refusal of a make's input checks and the result of
// a make.

#include "platform/apperror.h"
#include "platform/user_services.h"

#include <QString>

#include <functional>

namespace common {

using Icon = platform::UiServices::Icon;

// Called as a make goes on, so that a window can keep itself painted.
using Progress = std::function<void()>;

// Where a maker window goes after it has shown a refusal: one of the follow-ups its maker names
// (each maker's sheet.h), or NoFollowUp.
using FollowUp = int;
inline constexpr FollowUp NoFollowUp = 0;

// A make's input checks: the message box that stops the make and where the window goes next. An
// empty text lets the make go on.
struct Refusal {
    QString title;
    QString text;
    Icon icon = Icon::Information;
    FollowUp next = NoFollowUp;
    int slot = -1; // the row or slot of the window the follow-up is about, if any
    bool refused() const { return !text.isEmpty(); }
    bool operator==(const Refusal &) const = default;
};

// Where the user started a maker window: its button on the main window or its menu entry. The notice
// of an empty list takes its title from it.
enum class LaunchedFrom { Button, Menu };

// The notice the main window shows before it opens a maker window for design work only: nothing
// (not refused) when the list has rows, else "データリストにデータがありません." under the maker's title.
Refusal emptyListNotice(int listRows, const QString &title);

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
    QString path;               // the page written, when made
    FollowUp next = NoFollowUp; // when refused
    int slot = -1;              // when refused
    platform::AppError error;   // when failed

    bool ok() const { return kind == Made; }
    Refusal refusal() const { return {title, text, icon, next, slot}; }

    static MakeResult made(const QString &path, const QString &title, const QString &text);
    static MakeResult refusedBy(const Refusal &refusal);
    // The error report of label (platform::errorReportText).
    static MakeResult failed(const QString &label, const platform::AppError &error);
};

} // namespace common

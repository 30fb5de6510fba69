#pragma once

#include "platform/apperror.h"

#include <exception>

class QWidget;

namespace platform {

class UiServices;

// The program's two failure reports, through the platform's message boxes: critical icon, OK,
// title "エラー情報". Callers pass only their label.
void showErrorReport(UiServices &ui, QWidget *parent, const QString &label, const AppError &error);
void showApologyReport(UiServices &ui, QWidget *parent, const QString &label, const AppError &error);
// A report whose text a subsystem has already built from errorReportText (e.g. with a format hint).
void showReportText(UiServices &ui, QWidget *parent, const QString &reportText);

// A failure nobody expected, as the reports carry it.
AppError unexpectedError(const std::exception &e);

enum class ReportKind { Error, Apology };

// Runs a command; a failure nobody expected ends in the chosen report under label, never in a
// half-done command that takes the program down.
template <typename F> void guarded(UiServices &ui, QWidget *parent, ReportKind kind, const QString &label, F &&command)
{
    try {
        command();
    } catch (const std::exception &e) {
        if (kind == ReportKind::Apology)
            showApologyReport(ui, parent, label, unexpectedError(e));
        else
            showErrorReport(ui, parent, label, unexpectedError(e));
    }
}

} // namespace platform

#include "ledger/window_rules.h"

#include "ledger/sheet.h"
#include "platform/numbers.h"

namespace ledger {

WindowValues ledgerWindowValues(const LedgerDesign &settings)
{
    WindowValues f = loadWindowValues(settings);
    if (settings.rowsPerPage < 1 || settings.rowsPerPage > 16)
        f.linesInPage = WindowValues().linesInPage;
    if (settings.padding < 0 || settings.padding > 8)
        f.padding = WindowValues().padding;
    return f;
}

common::Refusal checkStartPage(const QString &startPage)
{
    // Default settings page by 12 rows, so only the start page can be refused here.
    Inputs in;
    in.start = startPage;
    return check(in);
}

int startPageStep(const QString &startPage)
{
    const auto v = platform::toWholeNumber(startPage);
    return v && *v >= StartPageMin && *v <= StartPageMax ? *v : 0;
}

} // namespace ledger

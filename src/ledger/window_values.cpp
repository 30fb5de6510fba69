#include "ledger/window_values.h"

#include "platform/numbers.h"

namespace ledger {

namespace {

platform::AppError wholeNumber(const QString &text, int *value)
{
    const auto v = platform::toWholeNumber(text);
    if (!v)
        return platform::isNumeric(text) ? platform::AppError::overflow() : platform::AppError::typeMismatch();
    *value = *v;
    return {};
}

} // namespace

WindowValues loadWindowValues(const LedgerDesign &s)
{
    WindowValues f;
    f.linesInPage = QString::number(s.rowsPerPage);
    f.lineColor = s.lineColor;
    f.backColor = s.backColor;
    f.pageNumbers = s.pageNumbers == 1;
    f.fontName = s.fontName;
    f.fontSize = QString::number(s.fontSize);
    f.padding = s.padding > 8 ? QStringLiteral("2") : QString::number(s.padding);
    f.startPage = QStringLiteral("1");
    return f;
}

platform::AppError storeWindowValues(const WindowValues &f, LedgerDesign &s)
{
    int v = 0;
    platform::AppError e = wholeNumber(f.linesInPage, &v);
    if (e.isSet())
        return e;
    s.rowsPerPage = v;
    s.lineColor = f.lineColor;
    s.backColor = f.backColor;
    s.pageNumbers = f.pageNumbers ? 1 : 0;
    if ((e = wholeNumber(f.padding, &v)).isSet())
        return e;
    s.padding = v;
    s.fontName = f.fontName;
    if ((e = wholeNumber(f.fontSize, &v)).isSet())
        return e;
    s.fontSize = v;
    return {};
}

} // namespace ledger

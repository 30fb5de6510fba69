#include "common/maker.h"

#include <QLocale>

namespace common {

Refusal tooManyCards(const QString &title)
{
    return {title,
            QStringLiteral("作成するカードの数が多すぎます.\r\n開始位置までの空きを含めて %1 枚までにしてください.")
                .arg(QLocale(QLocale::English).toString(MaxSheetCards)),
            Icon::Critical};
}

Refusal emptyListNotice(int listRows, const QString &title)
{
    if (listRows > 0)
        return {};
    return {title, QStringLiteral("データリストにデータがありません."), Icon::Information};
}

MakeResult MakeResult::made(const QString &path, const QString &title, const QString &text)
{
    MakeResult r;
    r.kind = Made;
    r.path = path;
    r.title = title;
    r.text = text;
    return r;
}

MakeResult MakeResult::refusedBy(const Refusal &refusal)
{
    MakeResult r;
    r.kind = Refused;
    r.title = refusal.title;
    r.text = refusal.text;
    r.icon = refusal.icon;
    r.next = refusal.next;
    r.slot = refusal.slot;
    return r;
}

MakeResult MakeResult::failed(const QString &label, const platform::AppError &error)
{
    MakeResult r;
    r.kind = Failed;
    r.title = platform::reportTitle();
    r.text = platform::errorReportText(label, error);
    r.icon = Icon::Critical;
    r.error = error;
    return r;
}

} // namespace common

#include "price_tags/designer_rules.h"

#include <QFileInfo>

namespace price_tags {

QString designerCaption(const QString &designFile)
{
    const QString caption = QStringLiteral("貼付用値札作成ツール");
    if (designFile.isEmpty())
        return caption;
    return caption + QStringLiteral(" [") + QFileInfo(designFile).fileName() + QLatin1Char(']');
}

QString savePromptText(const QString &designFile)
{
    return QFileInfo(designFile).fileName() + QStringLiteral(" は更新されています.\r\n更新を保存しますか?");
}

QString savePromptTitle()
{
    return QStringLiteral("デザインの変更確認");
}

QString emptyListNoticeText()
{
    return QStringLiteral("データリストにデータがありません.");
}

QString emptyListNoticeTitle()
{
    return QStringLiteral("値札作成");
}

QString nothingToShowText()
{
    return QStringLiteral("表示するデータがまだありません.");
}

QString displayTitle()
{
    return QStringLiteral("貼付用値札の表示");
}

} // namespace price_tags

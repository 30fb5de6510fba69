#pragma once

// Captions and messages of the shelf-label designer.

#include "common/maker.h"
#include "platform/user_services.h"
#include "shelf_labels/sheet.h"

#include <QFileInfo>
#include <QString>

namespace shelf_labels {

// "棚札作成ツール", or with the design file's name (no folder) while the window is tied to a file.
inline QString designerCaption(const QString &designFile)
{
    const QString caption = QStringLiteral("棚札作成ツール");
    if (designFile.isEmpty())
        return caption;
    return caption + QStringLiteral(" [") + QFileInfo(designFile).fileName() + QStringLiteral("]");
}

inline common::Refusal taxDisplayWarning()
{
    return common::Refusal{
        QStringLiteral("表示価格"),
        QStringLiteral("平成16年4月1日以降は\r\n表示価格は税込価格とすることが\r\n義務づけられています."),
        platform::UiServices::Icon::Information};
}

inline common::Refusal nothingToShow()
{
    return common::Refusal{QStringLiteral("棚札の表示"), QStringLiteral("表示するデータがまだありません."),
                           platform::UiServices::Icon::Information};
}

inline common::Refusal missingLogo(const QString &path)
{
    return common::Refusal{QStringLiteral("エラー情報"),
                           QStringLiteral("ロゴ用の画像\r\n") + path + QStringLiteral("\r\nが見つかりませんでした."),
                           platform::UiServices::Icon::Critical};
}

inline common::Refusal badLogoSize()
{
    return common::Refusal{QStringLiteral("画像の拡大/縮小"), QStringLiteral("画像のサイズの値が不正です."),
                           platform::UiServices::Icon::Critical, Next::LogoSize};
}

// The save prompt of open, the built-in designs and close.
inline common::Refusal savePrompt(const QString &designFile)
{
    return common::Refusal{QStringLiteral("デザインの変更確認"),
                           QFileInfo(designFile).fileName() +
                               QStringLiteral(" は更新されています.\r\n更新を保存しますか?"),
                           platform::UiServices::Icon::Question};
}

} // namespace shelf_labels

#pragma once

#include <QString>

// The price-tag designer's own rules that the command line shares or a test pins: captions, prompts,
// and notices.
namespace price_tags {

// "貼付用値札作成ツール", or with the name of the current design file in brackets.
QString designerCaption(const QString &designFile);

// The save prompt before a design is replaced or the window closes with unsaved edits.
QString savePromptText(const QString &designFile);
QString savePromptTitle(); // "デザインの変更確認"

// The main window's notice when the product list is empty; the designer then opens for design only.
QString emptyListNoticeText();  // "データリストにデータがありません."
QString emptyListNoticeTitle(); // "値札作成"

// The display command before anything was made.
QString nothingToShowText(); // "表示するデータがまだありません."
QString displayTitle();      // "貼付用値札の表示"

} // namespace price_tags

#include "products/frmPopupMenu.h"

#include <QMenu>

namespace products {

frmPopupMenu::frmPopupMenu(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPopupMenu"));
    hide();
    mnuPopup = new QMenu(this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuSelectAll = mnuPopup->addAction(QStringLiteral("すべてにチェック"));
    mnuSelectAll->setObjectName(QStringLiteral("mnuSelectAll"));
    mnuCancelAll = mnuPopup->addAction(QStringLiteral("すべてのチェックを解除"));
    mnuCancelAll->setObjectName(QStringLiteral("mnuCancelAll"));
}

} // namespace products

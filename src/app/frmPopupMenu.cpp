#include "app/frmPopupMenu.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMenu>

namespace products {

namespace {

// The holder on the accessibility bus: a menu button whose one child is the menu.
class PopupMenuAccessible : public QAccessibleWidget {
public:
    explicit PopupMenuAccessible(frmPopupMenu *holder) : QAccessibleWidget(holder, QAccessible::ButtonMenu) {}

    int childCount() const override { return menu() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && menu() ? QAccessible::queryAccessibleInterface(menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && menu() && child->object() == menu() ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return menu() ? menu()->title() : QString();
        return QAccessibleWidget::text(t);
    }

private:
    QMenu *menu() const { return static_cast<frmPopupMenu *>(object())->mnuPopup; }
};

QAccessibleInterface *popupMenuAccessible(const QString &, QObject *object)
{
    if (auto *holder = qobject_cast<frmPopupMenu *>(object))
        return new PopupMenuAccessible(holder);
    return nullptr;
}

} // namespace

// Beside the list: the list's own accessible children are its cells.
frmPopupMenu::frmPopupMenu(QWidget *list) : QWidget(list->parentWidget() ? list->parentWidget() : list)
{
    static const bool installed = [] {
        QAccessible::installFactory(popupMenuAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("frmPopupMenu"));
    setFixedSize(0, 0);
    hide();
    mnuPopup = new QMenu(this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuPopup->setTitle(QStringLiteral("データリストのメニュー"));
    mnuSelectAll = mnuPopup->addAction(QStringLiteral("すべてにチェック"));
    mnuSelectAll->setObjectName(QStringLiteral("mnuSelectAll"));
    mnuCancelAll = mnuPopup->addAction(QStringLiteral("すべてのチェックを解除"));
    mnuCancelAll->setObjectName(QStringLiteral("mnuCancelAll"));
}

} // namespace products

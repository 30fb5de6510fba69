#pragma once

#include <QWidget>

class QAction;
class QMenu;

namespace products {

// The list's right-click menu: すべてにチェック and すべてのチェックを解除. The holder is an
// invisible widget beside the list, not a window of its own; on the accessibility bus it carries the
// menu as its child, so the entries are reachable in the window's tree as the menu bar's are, also
// while the menu is not popped up.
class frmPopupMenu : public QWidget {
    Q_OBJECT
public:
    explicit frmPopupMenu(QWidget *list);

    QMenu *mnuPopup = nullptr;
    QAction *mnuSelectAll = nullptr;
    QAction *mnuCancelAll = nullptr;
};

} // namespace products

#pragma once

#include <QWidget>

class QAction;
class QMenu;

namespace products {

// The hidden form that holds the list's right-click menu: すべてにチェック and
// すべてのチェックを解除.
class frmPopupMenu : public QWidget {
    Q_OBJECT
public:
    explicit frmPopupMenu(QWidget *parent = nullptr);

    QMenu *mnuPopup = nullptr;
    QAction *mnuSelectAll = nullptr;
    QAction *mnuCancelAll = nullptr;
};

} // namespace products

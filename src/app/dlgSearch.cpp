#include "app/dlgSearch.h"

#include "ui_dlgSearch.h"

#include "platform/text_entry_widgets.h"

namespace products {

dlgSearch::dlgSearch(Search findNext, Search findRev, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::dlgSearch>()), m_findNext(std::move(findNext)),
      m_findRev(std::move(findRev))
{
    ui->setupUi(this);
    setModal(false);
    // The list holds the CP932 forms of dashes and signs: "1〜3" typed on Linux finds "1～3".
    platform::keepCp932Forms(ui->txtFind);
    connect(ui->txtFind, &QLineEdit::textChanged, this, &dlgSearch::textChanged);
    connect(ui->btnFind, &QPushButton::clicked, this, [this] { runFind(true); });
    connect(ui->btnFindRev, &QPushButton::clicked, this, [this] { runFind(false); });
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

dlgSearch::~dlgSearch() = default;

QString dlgSearch::findText() const
{
    return ui->txtFind->text();
}

void dlgSearch::textChanged(const QString &text)
{
    ui->btnFind->setEnabled(!text.isEmpty());
    ui->btnFindRev->setEnabled(!text.isEmpty());
}

void dlgSearch::runFind(bool forward)
{
    const bool ended = (forward ? m_findNext : m_findRev)(ui->txtFind->text());
    QPushButton *same = forward ? ui->btnFind : ui->btnFindRev;
    QPushButton *other = forward ? ui->btnFindRev : ui->btnFind;
    if (ended)
        same->setEnabled(false);
    other->setEnabled(true);
}

void dlgSearch::done(int result)
{
    QDialog::done(result);
    Q_EMIT closed();
}

} // namespace products

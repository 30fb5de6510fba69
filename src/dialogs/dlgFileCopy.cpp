#include "dialogs/dlgFileCopy.h"

#include "dialogs/old_files.h"
#include "platform/user_services.h"
#include "ui_dlgFileCopy.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QShortcut>
#include <QTreeWidgetItem>

namespace dialogs {

namespace {
const QString ResultTitle = QStringLiteral("検索結果");
const QString CopyTitle = QStringLiteral("コピー結果");

void keepResponsive()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

dlgFileCopy::dlgFileCopy(const QString &programFolder, const QString &dataFolder, platform::UiServices &services,
                         QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::dlgFileCopy>()), m_programFolder(programFolder),
      m_dataFolder(dataFolder), m_services(services)
{
    ui_->setupUi(this);
    ui_->Label1->setText(explanationText());
    ui_->ListView1->header()->setStretchLastSection(true);
    ui_->cmdCopy->setEnabled(false);
    connect(ui_->cmdSearch, &QPushButton::clicked, this, &dlgFileCopy::cmdSearch_Click);
    connect(ui_->cmdCopy, &QPushButton::clicked, this, &dlgFileCopy::cmdCopy_Click);
    connect(ui_->cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->picHelp, &QToolButton::clicked, this, &dlgFileCopy::helpRequested);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &dlgFileCopy::helpRequested);
}

dlgFileCopy::~dlgFileCopy() = default;

QString dlgFileCopy::explanationText()
{
    return QStringLiteral("Ver2.07以前でプログラムフォルダに保存されていたファイルを"
                          "ユーザーのドキュメントフォルダにコピーします.\n"
                          "コピー先に同名のファイルがある場合コピーしません.");
}

void dlgFileCopy::setBusy(bool busy)
{
    setEnabled(!busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void dlgFileCopy::cmdSearch_Click()
{
    ui_->ListView1->clear();
    setBusy(true);
    const OldFileSearch search = findOldDataFiles(m_programFolder, m_dataFolder, keepResponsive);
    setBusy(false);
    for (const QString &path : search.paths) {
        auto *item = new QTreeWidgetItem(ui_->ListView1, QStringList{path});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
    }
    if (search.error.isSet()) {
        // The walk of the failing folder ended; what was found before it is listed.
        m_services.message(this, platform::reportTitle(),
                           platform::apologyReportText(QStringLiteral("dlgFileCopy.sFolderSearch"), search.error),
                           platform::UiServices::Icon::Critical);
    }
    if (search.paths.isEmpty()) {
        m_services.information(this, ResultTitle, QStringLiteral("対象となるファイルは見つかりませんでした."));
        ui_->cmdCopy->setEnabled(false);
        return;
    }
    m_services.information(this, ResultTitle,
                           QStringLiteral("%1個のファイルが見つかりました.").arg(search.paths.size()));
    ui_->cmdCopy->setEnabled(true);
    ui_->cmdCopy->setFocus();
}

void dlgFileCopy::cmdCopy_Click()
{
    QStringList sources;
    for (int i = 0; i < ui_->ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = ui_->ListView1->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            sources.append(item->text(0));
    }
    setBusy(true);
    const OldFileCopy copy = copyOldDataFiles(sources, m_dataFolder, keepResponsive);
    setBusy(false);
    if (copy.error.isSet()) {
        m_services.critical(this, CopyTitle, QStringLiteral("ファイルのコピーに失敗しました."));
        return;
    }
    m_services.information(this, CopyTitle, QStringLiteral("ファイルのコピーに成功しました."));
}

} // namespace dialogs

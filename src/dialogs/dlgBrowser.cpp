#include "dialogs/dlgBrowser.h"

#include "dialogs/browser_display.h"
#include "platform/user_services.h"
#include "platform/value_label_widgets.h"
#include "ui_dlgBrowser.h"

namespace dialogs {

dlgBrowser::dlgBrowser(const BrowserSettings &start, const QString &programFiles, platform::UiServices &services,
                       QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::dlgBrowser>()), services_(services), programFiles_(programFiles),
      result_(start)
{
    ui_->setupUi(this);
    connect(ui_->cmdBR, &QPushButton::clicked, this, &dlgBrowser::chooseProgram);
    connect(ui_->OKButton, &QPushButton::clicked, this, &dlgBrowser::okClicked);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    const BrowserDialogStart shown = browserDialogStart(start);
    if (!shown.path.isEmpty())
        showProgram(shown.path);
    (shown.otherSelected ? ui_->OptionBrowser_1 : ui_->OptionBrowser_0)->setChecked(true);
}

dlgBrowser::~dlgBrowser() = default;

QString dlgBrowser::programFilter()
{
#ifdef Q_OS_WIN
    return QStringLiteral("ブラウザ|*.exe");
#else
    // Programs here have no extension: "*.exe" would offer nothing to choose.
    return QStringLiteral("ブラウザ|*");
#endif
}

void dlgBrowser::showProgram(const QString &path)
{
    platform::setValueText(ui_->lblBRPath, path);
    const QString name = browserDisplayName(path);
    ui_->OptionBrowser_1->setText(name.isEmpty() ? BrowserOtherCaption : name);
}

void dlgBrowser::chooseProgram()
{
    platform::UiServices::FileDialogRequest request;
    request.initialFolder = programFiles_;
    request.filter = programFilter();
    request.title = QStringLiteral("ブラウザの選択");
    request.fileMustExist = true;
    const QString path = services_.fileDialog(this, request);
    if (!path.isEmpty())
        showProgram(path); // choosing a program does not select it
}

void dlgBrowser::okClicked()
{
    result_ = browserDialogResult(ui_->OptionBrowser_1->isChecked(), ui_->lblBRPath->text());
    accept();
}

} // namespace dialogs

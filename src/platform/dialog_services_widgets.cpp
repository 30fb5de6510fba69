#include "platform/dialog_services_widgets.h"

#include "platform/file_dialog_filter.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImageReader>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTreeView>
#include <QUrl>

namespace platform {

namespace {

// A file dialog opens at the size last used in this run, at first at one that shows a folder of lists
// without cutting their names.
QSize g_fileDialogSize(800, 500);
constexpr int FileNameColumnWidth = 380; // some 25 Japanese characters

QMessageBox::StandardButton toStandard(UiServices::Answer answer)
{
    switch (answer) {
    case UiServices::Answer::Ok:
        return QMessageBox::Ok;
    case UiServices::Answer::Cancel:
        return QMessageBox::Cancel;
    case UiServices::Answer::Yes:
        return QMessageBox::Yes;
    case UiServices::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons standardButtons(UiServices::Buttons buttons)
{
    switch (buttons) {
    case UiServices::Buttons::Ok:
        return QMessageBox::Ok;
    case UiServices::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case UiServices::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case UiServices::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(UiServices::Icon icon)
{
    switch (icon) {
    case UiServices::Icon::None:
        return QMessageBox::NoIcon;
    case UiServices::Icon::Information:
        return QMessageBox::Information;
    case UiServices::Icon::Question:
        return QMessageBox::Question;
    case UiServices::Icon::Warning:
        return QMessageBox::Warning;
    case UiServices::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// What a box closed with Escape or the close box means: its cancelling button.
UiServices::Answer escapeAnswer(UiServices::Buttons buttons)
{
    switch (buttons) {
    case UiServices::Buttons::Ok:
        return UiServices::Answer::Ok;
    case UiServices::Buttons::OkCancel:
    case UiServices::Buttons::YesNoCancel:
        return UiServices::Answer::Cancel;
    case UiServices::Buttons::YesNo:
        return UiServices::Answer::No;
    }
    return UiServices::Answer::Ok;
}

} // namespace

void WidgetUiServices::configureMessageBox(QMessageBox &box, const QString &title, const QString &text, Icon icon,
                                           Buttons buttons, Answer defaultAnswer)
{
    box.setWindowTitle(title);
    // Messages carry CR LF line ends and user texts (file names, product names): shown as plain text.
    box.setTextFormat(Qt::PlainText);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    box.setIcon(boxIcon(icon));
    box.setStandardButtons(standardButtons(buttons));
    const QMessageBox::StandardButton def = toStandard(defaultAnswer);
    if (box.standardButtons() & def)
        box.setDefaultButton(def);
    const QMessageBox::StandardButton esc = toStandard(escapeAnswer(buttons));
    box.setEscapeButton(box.button(esc));
}

UiServices::Answer WidgetUiServices::message(QWidget *parent, const QString &title, const QString &text, Icon icon,
                                             Buttons buttons, Answer defaultAnswer)
{
    QMessageBox box(parent);
    configureMessageBox(box, title, text, icon, buttons, defaultAnswer);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return escapeAnswer(buttons);
    }
}

void WidgetUiServices::configureFileDialog(QFileDialog &dialog, const FileDialogRequest &request)
{
    // Qt's own dialog everywhere, so it looks and behaves the same on every desktop (and offscreen).
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails;
    if (request.forSaving && !request.overwritePrompt)
        options |= QFileDialog::DontConfirmOverwrite;
    dialog.setOptions(options);
    dialog.setWindowTitle(request.title);
    dialog.setAcceptMode(request.forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (request.forSaving)
        dialog.setFileMode(QFileDialog::AnyFile);
    else
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.filter.isEmpty())
        dialog.setNameFilter(qtNameFilter(request.filter));
    if (request.forSaving && !request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.initialFolder.isEmpty() && QFileInfo(request.initialFolder).isDir())
        dialog.setDirectory(request.initialFolder);
    else
        dialog.setDirectory(QDir::homePath());
    dialog.selectFile(QString());
    dialog.resize(g_fileDialogSize);
    dialog.setViewMode(QFileDialog::Detail);
    if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView")))
        details->header()->resizeSection(0, FileNameColumnWidth);
}

QString WidgetUiServices::fileDialog(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent);
    configureFileDialog(dialog, request);
    const int result = dialog.exec();
    g_fileDialogSize = dialog.size();
    if (result != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return {};
    return request.forSaving ? withDefaultExtension(files.first(), request.defaultExtension) : files.first();
}

bool WidgetUiServices::chooseColor(QWidget *parent, QColor &color)
{
    const QColor chosen = QColorDialog::getColor(color, parent, QString(), QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

QImage WidgetUiServices::loadPicture(const QString &path)
{
    if (path.isEmpty())
        return {};
    // By content, not by name: logos are often saved with the wrong extension.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

bool WidgetUiServices::openWithShell(const QString &target)
{
    const QString t = target.trimmed();
    if (t.isEmpty())
        return false;
    const QUrl given(t);
    if (given.isValid() && given.scheme().size() > 1) // "C:" style drive letters are not schemes
        return QDesktopServices::openUrl(given);
    // The desktop opens files in the background and cannot tell us about a missing one.
    if (!QFileInfo::exists(t))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(t).absoluteFilePath()));
}

bool WidgetUiServices::startProgram(const QString &program, const QStringList &arguments)
{
    if (program.trimmed().isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

} // namespace platform

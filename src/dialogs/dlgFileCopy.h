#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class dlgFileCopy;
}
namespace platform {
class UiServices;
}

namespace dialogs {

// "旧フォルダからのファイルコピーツール": finds the data files an older release left in the program
// folder and copies the checked ones into the data folder, never over an existing file.
class dlgFileCopy : public QDialog {
    Q_OBJECT
public:
    dlgFileCopy(const QString &programFolder, const QString &dataFolder, platform::UiServices &services,
                QWidget *parent = nullptr);
    ~dlgFileCopy() override;

    void cmdSearch_Click();
    void cmdCopy_Click();

    static QString explanationText();

Q_SIGNALS:
    // F1 or the help picture: the owner opens the program's help.
    void helpRequested();

private:
    void setBusy(bool busy);

    std::unique_ptr<Ui::dlgFileCopy> ui_;
    QString m_programFolder;
    QString m_dataFolder;
    platform::UiServices &m_services;
};

} // namespace dialogs

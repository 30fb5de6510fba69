#pragma once

#include "dialogs/browser_settings.h"

#include <QDialog>

#include <memory>

namespace Ui {
class dlgBrowser;
}

namespace platform {
class UiServices;
}

namespace dialogs {

// "ブラウザの指定": the default browser or a chosen browser program. Opens with the current choice and
// hands back the new one through browser() when accepted.
class dlgBrowser : public QDialog {
    Q_OBJECT
public:
    // programFiles: where the program choice starts.
    dlgBrowser(const BrowserSettings &start, const QString &programFiles, platform::UiServices &services,
               QWidget *parent = nullptr);
    ~dlgBrowser() override;

    BrowserSettings browser() const { return result_; }

    // The file-dialog filter for browser programs: "*.exe" where programs carry that name, every file
    // elsewhere.
    static QString programFilter();

private:
    void showProgram(const QString &path);
    void chooseProgram();
    void okClicked();

    std::unique_ptr<Ui::dlgBrowser> ui_;
    platform::UiServices &services_;
    QString programFiles_;
    BrowserSettings result_;
};

} // namespace dialogs

#pragma once

#include <QDialog>

#include <memory>

class QButtonGroup;

namespace Ui {
class dlgPalete;
}

namespace platform {
class UiServices;
}

namespace dialogs {

// "色の選択": one of the sixteen named page colours or any colour from the colour chooser. Opens with
// the caller's colour text and hands back the chosen one ("#RRGGBB") through colorText() when accepted.
class dlgPalete : public QDialog {
    Q_OBJECT
public:
    dlgPalete(const QString &startColor, platform::UiServices &services, QWidget *parent = nullptr);
    ~dlgPalete() override;

    QString colorText() const;
    // The index of the highlighted name, -1 when none is.
    int highlighted() const;

private:
    void select(const QString &text);
    void clearHighlight();
    void nameToggled(int index, bool checked);
    void showColor();

    std::unique_ptr<Ui::dlgPalete> ui_;
    platform::UiServices &services_;
    QButtonGroup *names_;
};

} // namespace dialogs

#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class dlgVersion;
}

namespace dialogs {

// "バージョン情報": the program's name, version, build and the maker's notice. Opens with a beep.
class dlgVersion : public QDialog {
    Q_OBJECT
public:
    explicit dlgVersion(QWidget *parent = nullptr);
    ~dlgVersion() override;

    static QString noticeLine();

private:
    std::unique_ptr<Ui::dlgVersion> ui_;
};

} // namespace dialogs

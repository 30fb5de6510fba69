#include "dialogs/dlgVersion.h"

#include "common/version.h"
#include "dialogs/splash_picture.h"
#include "ui_dlgVersion.h"

#include <QApplication>

namespace dialogs {

dlgVersion::dlgVersion(QWidget *parent) : QDialog(parent), ui_(std::make_unique<Ui::dlgVersion>())
{
    ui_->setupUi(this);
    QApplication::beep();
    ui_->Picture1->setPixmap(splashPicture(64));
    ui_->lblVersion->setText(common::versionText());
    ui_->lblRevision->setText(common::revisionText());
    ui_->Label2->setText(noticeLine());
    connect(ui_->Command1, &QPushButton::clicked, this, &QDialog::accept);
}

dlgVersion::~dlgVersion() = default;

QString dlgVersion::noticeLine()
{
    return QStringLiteral("Copyright (C) Vestrel. このソフトウェアは無償でお使いいただけます.");
}

} // namespace dialogs

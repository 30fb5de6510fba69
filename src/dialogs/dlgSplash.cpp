#include "dialogs/dlgSplash.h"

#include "dialogs/splash_picture.h"
#include "ui_dlgSplash.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QTimer>

namespace dialogs {

dlgSplash::dlgSplash(QWidget *mainWindow)
    : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::dlgSplash>()), mainWindow_(mainWindow), timer_(new QTimer(this))
{
    ui_->setupUi(this);
    ui_->Picture1->setPixmap(splashPicture(128));
    setAttribute(Qt::WA_DeleteOnClose);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(2000);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &dlgSplash::Timer1_Timer);
}

dlgSplash::~dlgSplash() = default;

void dlgSplash::showSplash()
{
    if (mainWindow_)
        mainWindow_->setEnabled(false);
    show();
    raise();
    if (!timer_->isActive())
        timer_->start();
}

void dlgSplash::Timer1_Timer()
{
    close();
}

void dlgSplash::mousePressEvent(QMouseEvent *event)
{
    // Clicks on the picture and the labels arrive here too: labels pass them on.
    event->accept();
    close();
}

void dlgSplash::closeEvent(QCloseEvent *event)
{
    timer_->stop();
    if (!unloaded_) {
        unloaded_ = true;
        if (mainWindow_) {
            if (!mainWindow_->isVisible())
                mainWindow_->show();
            mainWindow_->setEnabled(true);
        }
    }
    event->accept();
}

} // namespace dialogs

#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

class QTimer;
namespace Ui {
class dlgSplash;
}

namespace dialogs {

// Shown for two seconds while the program starts; the main window cannot be used meanwhile.
// A click closes it at once. It is a window of its own, so disabling the main window leaves it usable.
class dlgSplash : public QDialog {
    Q_OBJECT
public:
    explicit dlgSplash(QWidget *mainWindow);
    ~dlgSplash() override;

    // Shows the splash without waiting: disables the main window and starts the timer.
    void showSplash();
    QTimer *timer() const { return timer_; }

public Q_SLOTS:
    void Timer1_Timer();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Ui::dlgSplash> ui_;
    QPointer<QWidget> mainWindow_;
    QTimer *timer_;
    bool unloaded_ = false;
};

} // namespace dialogs

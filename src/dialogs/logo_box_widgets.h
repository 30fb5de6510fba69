#pragma once

#include "common/logo_ratio.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace platform {
class UiServices;
}

namespace dialogs {

// A designer's logo: the chosen picture, its caption, the size boxes with the aspect lock, and the
// picture shown at the boxes' size. The window keeps what differs between the makers: reading a
// design's logo, its error reports, and the resize command's check.
class LogoBox : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QWidget *window = nullptr;
        QCheckBox *check = nullptr; // the logo is printed
        QLabel *caption = nullptr;  // the picture's path, shortened
        QLabel *image = nullptr;
        QWidget *imageHolder = nullptr; // resized to the picture, when there is one
        QLineEdit *width = nullptr;
        QLineEdit *height = nullptr;
        QCheckBox *lockAspect = nullptr; // 縦横比を固定
        QComboBox *align = nullptr;
        QList<QWidget *> sizeControls; // of use only while a logo is printed and chosen
        int displayLimit = 1000;       // the picture on screen is only a look at the size
        // A size box the user changed: told, then with the aspect locked the other box follows. Not
        // while the window fills its controls (filling true).
        std::function<void()> sizeEdited = {};
        std::function<bool()> filling = {};
    };
    LogoBox(Controls controls, platform::UiServices &services, const QString &initialFolder, QObject *parent);

    QString path() const { return m_path; }
    const QImage &picture() const { return m_picture; }
    bool loaded() const { return m_loaded; }
    void setLoaded(bool loaded) { m_loaded = loaded; }

    // 画像を開く: the chosen picture at its own size. A picture far beyond any logo is refused (said);
    // one that cannot be read is reported by the window and drops the logo.
    enum class Chosen { Nothing, Unreadable, Taken };
    Chosen choose(const std::function<void(const QString &path)> &reportUnreadable);
    // The picture of a design: the boxes keep the design's size.
    void setPicture(const QString &path, const QImage &picture);
    // No logo: the caption and the picture go, the boxes say 0.
    void drop();
    // ロゴのクリア: no logo, centred, the aspect free.
    void clear();

    // Stretched: the picture at the size in the boxes; otherwise at its own size.
    void show(bool stretched);
    // SetComp from the boxes and the picture.
    void updateRatios();
    // Which size box the user works on, told before it changes.
    void workingOn(bool height) { m_workingOnHeight = height; }
    // With the aspect locked, the box the user works on sets the other one.
    void sizeTyped(bool height);
    void updateEnabled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setCaption(const QString &path);

    Controls m_controls;
    platform::UiServices &m_services;
    QString m_initialFolder;
    QString m_path;
    QImage m_picture;
    bool m_loaded = false;
    bool m_workingOnHeight = false;
    common::LogoRatios m_ratios;
};

// The logo controls both designers name alike; the window gives those it names its own way.
template <class Ui>
LogoBox::Controls logoBoxControls(QWidget *window, const Ui &ui, QLabel *caption, QLabel *image, QWidget *sizeFrame,
                                  QComboBox *align)
{
    return {.window = window,
            .check = ui.CheckLogo,
            .caption = caption,
            .image = image,
            .width = ui.txtLogoWidth,
            .height = ui.txtLogoHeight,
            .lockAspect = ui.Check比率,
            .align = align,
            .sizeControls = {sizeFrame, ui.txtLogoWidth, ui.txtLogoHeight, ui.UpDownWidth, ui.UpDownHeight,
                             ui.Check比率, ui.cmdResize, align}};
}

} // namespace dialogs

#include "dialogs/logo_box_widgets.h"

#include "common/helpers.h"
#include "dialogs/designer_controls_widgets.h"
#include "platform/apperror.h"
#include "platform/numbers.h"
#include "platform/user_services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include <algorithm>

namespace dialogs {

using platform::UiServices;

LogoBox::LogoBox(Controls controls, UiServices &services, const QString &initialFolder, QObject *parent)
    : QObject(parent), m_controls(std::move(controls)), m_services(services), m_initialFolder(initialFolder)
{
    // A key pressed in a size box names it as the one the user works on before its text changes.
    m_controls.width->installEventFilter(this);
    m_controls.height->installEventFilter(this);
    if (!m_controls.sizeEdited)
        return;
    for (QLineEdit *box : {m_controls.width, m_controls.height})
        connect(box, &QLineEdit::textChanged, this, [this, height = box == m_controls.height] {
            if (m_controls.filling && m_controls.filling())
                return;
            m_controls.sizeEdited();
            sizeTyped(height);
        });
}

bool LogoBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_controls.width || watched == m_controls.height))
        m_workingOnHeight = watched == m_controls.height;
    return QObject::eventFilter(watched, event);
}

LogoBox::Chosen LogoBox::choose(const std::function<void(const QString &path)> &reportUnreadable)
{
    UiServices::FileDialogRequest request;
    request.initialFolder = m_initialFolder;
    request.filter = QStringLiteral("画像ファイル(GIF,JPG,BMP)|*.gif;*.bmp;*.jpg;*.jpeg");
    request.title = QStringLiteral("画像を開く");
    request.fileMustExist = true;
    const QString path = m_services.fileDialog(m_controls.window, request);
    if (path.isEmpty())
        return Chosen::Nothing;
    // A picture far beyond any logo is refused from its header, never decoded.
    if (const QString tooLarge = common::logoTooLargeText(path); !tooLarge.isEmpty()) {
        m_services.message(m_controls.window, platform::reportTitle(), tooLarge, UiServices::Icon::Critical);
        return Chosen::Nothing;
    }
    const QImage picture = m_services.loadPicture(path);
    if (picture.isNull()) {
        reportUnreadable(path);
        // The unreadable picture is not kept as the logo: the page would point at it.
        drop();
        return Chosen::Unreadable;
    }
    m_loaded = false;
    m_path = path;
    m_picture = picture;
    setCaption(m_path);
    m_controls.width->setText(QString::number(m_picture.width()));
    m_controls.height->setText(QString::number(m_picture.height()));
    show(false);
    m_loaded = true;
    updateRatios();
    return Chosen::Taken;
}

void LogoBox::setPicture(const QString &path, const QImage &picture)
{
    m_path = path;
    m_picture = picture;
    setCaption(m_path);
}

void LogoBox::drop()
{
    m_loaded = false;
    m_path.clear();
    m_picture = QImage();
    setCaption(QString());
    m_controls.width->setText(QStringLiteral("0"));
    m_controls.height->setText(QStringLiteral("0"));
    show(false);
}

void LogoBox::clear()
{
    drop();
    setComboText(m_controls.align, QStringLiteral("中央"));
    m_controls.lockAspect->setChecked(false);
    updateEnabled();
}

void LogoBox::setCaption(const QString &path)
{
    const QString text = common::ShortenPath(path);
    m_controls.caption->setText(text);
    m_controls.caption->setAccessibleDescription(text);
    updateEnabled();
}

void LogoBox::show(bool stretched)
{
    if (m_picture.isNull()) {
        m_controls.image->clear();
        m_controls.image->setFixedSize(0, 0);
        return;
    }
    QSize size = m_picture.size();
    if (stretched) {
        const auto w = platform::toWholeNumber(m_controls.width->text());
        const auto h = platform::toWholeNumber(m_controls.height->text());
        if (w && h && *w > 0 && *h > 0)
            size = QSize(*w, *h);
    }
    m_controls.image->setPixmap(QPixmap::fromImage(m_picture));
    m_controls.image->setFixedSize(size.boundedTo(QSize(m_controls.displayLimit, m_controls.displayLimit)));
    if (m_controls.imageHolder)
        m_controls.imageHolder->adjustSize();
}

void LogoBox::updateRatios()
{
    if (const auto r = common::SetComp(m_controls.width->text(), m_controls.height->text(), m_picture.size()))
        m_ratios = *r;
}

void LogoBox::sizeTyped(bool height)
{
    const QLineEdit *box = height ? m_controls.height : m_controls.width;
    if (box->text().isEmpty() || !m_controls.lockAspect->isChecked() || !m_loaded || m_workingOnHeight != height)
        return;
    const double ratio = height ? m_ratios.widthPerHeight : m_ratios.heightPerWidth;
    if (const auto other = common::keptLogoSide(box->text(), ratio))
        (height ? m_controls.width : m_controls.height)->setText(*other);
}

void LogoBox::updateEnabled()
{
    const bool on = m_controls.check->isChecked() && !m_controls.caption->text().isEmpty();
    for (QWidget *w : m_controls.sizeControls)
        w->setEnabled(on);
}

} // namespace dialogs

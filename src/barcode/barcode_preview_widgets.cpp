#include "barcode/barcode_preview_widgets.h"

#include "barcode/preview.h"

#include <QBoxLayout>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include <algorithm>

namespace barcode {

BarcodePreview::BarcodePreview(QWidget *pic) : m_pic(pic)
{
    auto *layout = qobject_cast<QBoxLayout *>(pic->layout());
    if (!layout) {
        layout = new QHBoxLayout(pic);
        layout->setContentsMargins(2, 2, 2, 2);
    }
    layout->setSpacing(0);
    for (int i = 0; i < Slots; ++i) {
        const QString name = QStringLiteral("Image1_%1").arg(i);
        auto *label = pic->findChild<QLabel *>(name);
        if (!label) {
            label = new QLabel(pic);
            label->setObjectName(name);
            layout->insertWidget(i, label, 0, Qt::AlignTop);
        }
        label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        label->setContentsMargins(0, 0, 0, 0);
        label->setMargin(0);
        m_images.append(label);
    }
    // The free width goes after the last slot, so the images stay together at the left.
    const int count = layout->count();
    if (count == 0 || !layout->itemAt(count - 1)->spacerItem())
        layout->addStretch(1);
    ClearPreview();
}

bool BarcodePreview::showImages(const QString &folder, const QStringList &names, platform::AppError *error)
{
    for (int i = 0; i < names.size() && i < Slots; ++i) {
        const QString path = QDir(folder).filePath(names.at(i));
        QImageReader reader(path);
        const QImage img = reader.read();
        if (img.isNull()) {
            if (error)
                *error = platform::AppError::fileNotFound(path);
            return false;
        }
        QLabel *label = m_images.at(i);
        label->setPixmap(QPixmap::fromImage(img));
        label->setFixedSize(img.size());
        label->setProperty("imageName", names.at(i));
    }
    return true;
}

void BarcodePreview::ClearPreview()
{
    for (QLabel *label : m_images) {
        label->clear();
        label->setFixedSize(0, 0);
        label->setProperty("imageName", QString());
    }
}

void BarcodePreview::reserveFullSize(const QString &folder)
{
    // Any twelve digits give the fifteen slots of an EAN-13 code; the images differ by digit, not size.
    const PreviewPlan plan = previewPlan(QStringLiteral("490000000000"));
    QSize images(0, 0);
    for (const QString &name : plan.imageNames) {
        const QSize size = QImageReader(QDir(folder).filePath(name)).size();
        if (!size.isValid())
            return;
        images.rwidth() += size.width();
        images.rheight() = std::max(images.height(), size.height());
    }
    const QMargins margins =
        m_pic->contentsMargins() + (m_pic->layout() ? m_pic->layout()->contentsMargins() : QMargins());
    m_pic->setMinimumSize(m_pic->minimumSize().expandedTo(images.grownBy(margins)));
}

void BarcodePreview::keepShownWidth()
{
    m_pic->setMinimumWidth(std::max(m_pic->minimumWidth(), m_pic->sizeHint().width()));
}

QStringList BarcodePreview::shownNames() const
{
    QStringList names;
    for (QLabel *label : m_images)
        names.append(label->property("imageName").toString());
    return names;
}

} // namespace barcode

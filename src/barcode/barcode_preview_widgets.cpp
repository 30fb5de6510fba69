#include "barcode/barcode_preview_widgets.h"

#include <QDir>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace barcode {

BarcodePreview::BarcodePreview(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("picBarCode"));
    setAccessibleName(QStringLiteral("JANコード プレビュー"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2); // about 30 twips
    layout->setSpacing(0);
    for (int i = 0; i < Slots; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Image1_%1").arg(i));
        label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        label->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(label, 0, Qt::AlignTop);
        m_images.append(label);
    }
    layout->addStretch(1);
    setMinimumHeight(60);
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

QStringList BarcodePreview::shownNames() const
{
    QStringList names;
    for (QLabel *label : m_images)
        names.append(label->property("imageName").toString());
    return names;
}

} // namespace barcode

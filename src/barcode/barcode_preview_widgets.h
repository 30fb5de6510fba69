#pragma once

#include "platform/apperror.h"

#include <QFrame>
#include <QList>

class QLabel;

namespace barcode {

// picBarCode: fifteen image controls side by side, each at the natural size of its picture.
class BarcodePreview : public QFrame {
    Q_OBJECT
public:
    static constexpr int Slots = 15;

    explicit BarcodePreview(QWidget *parent = nullptr);

    // Loads the images from folder (ending with a separator or not); the first missing or unreadable
    // file stops the loading with an error, the images already loaded stay.
    bool showImages(const QString &folder, const QStringList &names, platform::AppError *error);
    void ClearPreview();

    QLabel *image(int index) const { return m_images.at(index); }
    // Names of the pictures currently shown, slot by slot (empty for an empty slot).
    QStringList shownNames() const;

private:
    QList<QLabel *> m_images;
};

} // namespace barcode

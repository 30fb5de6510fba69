#pragma once

#include "platform/apperror.h"

#include <QList>
#include <QStringList>

class QLabel;
class QWidget;

namespace barcode {

// Drives the image slots Image1_0 … Image1_14 inside the main window's picBarCode: each slot shows
// one picture at its natural size, the slots abut without gaps.
class BarcodePreview {
public:
    static constexpr int Slots = 15;

    // Uses the labels named Image1_0 … Image1_14 inside pic; creates any that are missing.
    explicit BarcodePreview(QWidget *pic);

    // Loads the images from folder; the first missing or unreadable file stops the loading with an
    // error, the images already loaded stay.
    bool showImages(const QString &folder, const QStringList &names, platform::AppError *error);
    void ClearPreview();

    // Reserves the room of the largest code (EAN-13) drawn with the images of folder, so the first code
    // shown moves nothing around it; nothing is reserved while the images cannot be read.
    void reserveFullSize(const QString &folder);
    // The box keeps the width of the widest code it has shown, so the fields beside it stay put.
    void keepShownWidth();

    QLabel *image(int index) const { return m_images.at(index); }
    // Names of the pictures currently shown, slot by slot (empty for an empty slot).
    QStringList shownNames() const;

private:
    QWidget *m_pic;
    QList<QLabel *> m_images;
};

} // namespace barcode

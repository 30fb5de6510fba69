#pragma once

#include "dialogs/font_choice.h"

#include <QList>
#include <QObject>
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace platform {
class UiServices;
}

namespace dialogs {

// A designer's font rows, one for each printed item: the font's name, size, style and alignment
// labels, the colour swatch and the font button. The form names them lbl<infix>FontName_<row>,
// lbl<infix>FontSize_<row>, lbl<infix>FontStyle_<row>, lbl<infix>Align_<row>, pic<infix>FontColor_<row>
// and cmd<infix>Font_<row>; a row may have no alignment or colour of its own.
class FontRows : public QObject {
    Q_OBJECT
public:
    // targets: the font dialog's target of each row, and so the number of rows. labelsFollow: the
    // labels of an item that is not printed are disabled too, not only shown as the window face.
    FontRows(QWidget *window, const QString &infix, const QList<FontFields> &targets, bool labelsFollow,
             platform::UiServices &services);

    // The row's texts; the alignment and colour are empty where the row has none.
    FontChoice font(int row) const;
    // The row shows font; the fields it has no control for are passed over.
    void show(int row, const FontChoice &font);
    // A printed item's row reads as a field and its button works; a row whose item is not printed
    // looks like the window face.
    void setPrinted(int row, bool on);

Q_SIGNALS:
    // The row's font button ran the font dialog; accepted: the row shows the dialog's choice.
    void chosen(int row, bool accepted);

private:
    struct Row {
        QLabel *name, *size, *style, *align, *color;
        QAbstractButton *button;
    };
    void choose(int row);

    QWidget *m_window;
    QList<FontFields> m_targets;
    bool m_labelsFollow;
    platform::UiServices &m_services;
    QList<Row> m_rows;
};

} // namespace dialogs

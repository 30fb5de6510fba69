#pragma once

#include "dialogs/font_choice.h"

#include <QDialog>

#include <memory>

namespace Ui {
class dlgFont;
}

namespace platform {
class UiServices;
}

namespace dialogs {

// "フォントの選択": font name, size with unit, style, colour and alignment of one text item. It opens
// with the item's values and the fields it takes and hands them back through choice() when accepted; the
// caller writes its own controls.
class dlgFont : public QDialog {
    Q_OBJECT
public:
    // Whether the system can draw a font of that name now.
    using FontUsable = bool (*)(const QString &name);

    // families: the fonts to offer (the installed ones by default); the list leaves out the names
    // listedFontNames() refuses. usable: asked when an entry is picked.
    dlgFont(const FontFields &fields, const FontChoice &start, platform::UiServices &services,
            QWidget *parent = nullptr, const QStringList &families = installedFonts(),
            FontUsable usable = fontInstalled);
    ~dlgFont() override;

    // The item with the fields it takes replaced by the dialog's; meaningful after Accepted.
    FontChoice choice() const { return result_; }

    static QStringList installedFonts();
    static bool fontInstalled(const QString &name);

private:
    void fillFontList(const QStringList &families);
    void loadStart();
    void fontSelected(const QString &name);
    void sizeEdited(const QString &text);
    void setColor(const QString &text);
    void chooseColor();
    void okClicked();

    std::unique_ptr<Ui::dlgFont> ui_;
    platform::UiServices &services_;
    FontUsable usable_;
    FontFields fields_;
    FontChoice start_;
    FontChoice result_;
    QString color_;
    bool loaded_ = false; // the starting values are shown; a pick from now on is the user's
};

} // namespace dialogs

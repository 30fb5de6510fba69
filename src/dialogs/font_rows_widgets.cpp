#include "dialogs/font_rows_widgets.h"

#include "dialogs/designer_controls_widgets.h"
#include "dialogs/dlgFont.h"

#include <QAbstractButton>
#include <QLabel>

#include <optional>

namespace dialogs {

FontRows::FontRows(QWidget *window, const QString &infix, const QList<FontFields> &targets, bool labelsFollow,
                   platform::UiServices &services)
    : QObject(window), m_window(window), m_targets(targets), m_labelsFollow(labelsFollow), m_services(services)
{
    for (int i = 0; i < targets.size(); ++i) {
        const QString n = QString::number(i);
        auto label = [&](const char *prefix, const char *name) {
            return window->findChild<QLabel *>(QLatin1String(prefix) + infix + QLatin1String(name) + n);
        };
        m_rows.append(
            {label("lbl", "FontName_"), label("lbl", "FontSize_"), label("lbl", "FontStyle_"), label("lbl", "Align_"),
             label("pic", "FontColor_"),
             window->findChild<QAbstractButton *>(QStringLiteral("cmd") + infix + QStringLiteral("Font_") + n)});
        Q_ASSERT(m_rows[i].name && m_rows[i].size && m_rows[i].style && m_rows[i].button);
        connect(m_rows[i].button, &QAbstractButton::clicked, this, [this, i] { choose(i); });
    }
}

FontChoice FontRows::font(int row) const
{
    const Row &r = m_rows[row];
    return FontChoice{r.name->text(), r.size->text(), r.style->text(), r.color ? swatchColor(r.color) : QString(),
                      r.align ? r.align->text() : QString()};
}

void FontRows::show(int row, const FontChoice &font)
{
    const Row &r = m_rows[row];
    setValueLabel(r.name, font.name);
    setValueLabel(r.size, font.size);
    setValueLabel(r.style, font.style);
    if (r.color)
        showSwatchColor(r.color, font.color);
    if (r.align)
        setValueLabel(r.align, font.align);
}

void FontRows::setPrinted(int row, bool on)
{
    const Row &r = m_rows[row];
    r.button->setEnabled(on);
    for (QLabel *label : {r.name, r.size, r.style, r.align}) {
        if (!label)
            continue;
        label->setAutoFillBackground(true);
        label->setBackgroundRole(on ? QPalette::Base : QPalette::Button);
        if (m_labelsFollow)
            label->setEnabled(on);
    }
}

void FontRows::choose(int row)
{
    std::optional<dlgFont> dialog;
    {
        // Listing the installed fonts takes a moment.
        const WaitCursor busy;
        dialog.emplace(m_targets[row], font(row), m_services, m_window);
    }
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (accepted)
        show(row, dialog->choice());
    Q_EMIT chosen(row, accepted);
}

} // namespace dialogs

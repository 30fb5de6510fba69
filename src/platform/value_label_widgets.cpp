#include "platform/value_label_widgets.h"

#include <QLabel>
#include <QVariant>

namespace platform {

namespace {
constexpr char CaptionProperty[] = "valueCaption";
}

QString valueCaption(const QLabel *label)
{
    const QVariant caption = label->property(CaptionProperty);
    return caption.isValid() ? caption.toString() : label->accessibleName();
}

void setValueText(QLabel *label, const QString &text)
{
    const QString caption = valueCaption(label);
    label->setProperty(CaptionProperty, caption);
    label->setText(text);
    QString name = caption;
    if (!text.isEmpty())
        name = caption.isEmpty() || text.startsWith(caption) ? text : caption + QLatin1Char(' ') + text;
    label->setAccessibleName(name);
    label->setAccessibleDescription(text);
}

} // namespace platform

#pragma once

#include <QString>

class QLabel;

namespace platform {

// Shows a value (an amount, a count, a path) in a label so that assistive technology reads it: the
// label keeps its caption as accessible name while empty; with a value the name becomes caption and
// value ("消費税: 80"; a value that already starts with its caption stands alone), and the value is
// also its accessible description. Every label that shows a value sets it through here.
void setValueText(QLabel *label, const QString &text);
// The caption a value label is known by on the accessibility bus (its accessible name when first set).
QString valueCaption(const QLabel *label);

} // namespace platform

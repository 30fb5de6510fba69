#include "shelf_labels/design.h"

namespace shelf_labels {

ShelfLabelDesign::ShelfLabelDesign()
{
    const QString font = QStringLiteral("ＭＳ Ｐゴシック");
    const char *sizes[7] = {"20pt", "12pt", "12pt", "34pt", "12pt", "12pt", "34pt"};
    const char *styles[7] = {"太字", "通常", "太字", "太字", "通常", "通常", "太字"};
    const char *colors[7] = {"#FFFFFF", "#000000", "#000000", "#FF0000", "#000000", "#000000", ""};
    const char *aligns[7] = {"中央", "左", "左", "中央", "右", "左", ""};
    for (int i = 0; i < 7; ++i)
        area[i] = AreaStyle{font, QString::fromUtf8(sizes[i]), QString::fromUtf8(styles[i]),
                            QString::fromUtf8(colors[i]), QString::fromUtf8(aligns[i])};
}

} // namespace shelf_labels

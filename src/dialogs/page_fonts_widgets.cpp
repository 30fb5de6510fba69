#include "dialogs/page_fonts_widgets.h"

#include <QWebEngineSettings>

namespace dialogs {

void usePageFonts(QWebEngineSettings *settings)
{
    settings->setFontFamily(QWebEngineSettings::StandardFont, settings->fontFamily(QWebEngineSettings::SansSerifFont));
}

} // namespace dialogs

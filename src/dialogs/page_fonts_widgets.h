#pragma once

class QWebEngineSettings;

namespace dialogs {

// Text of a page that names no font of its own (the JAN digits under a barcode) is drawn in the
// engine's sans-serif face, as browsers draw a Japanese page, instead of the web engine's serif
// default: previews, PDFs and prints then show the digits as the browser does.
void usePageFonts(QWebEngineSettings *settings);

} // namespace dialogs

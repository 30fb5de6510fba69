#pragma once

#include <QString>

namespace platform {

// The program's fontconfig file, in the program folder: the system's configuration plus the Japanese
// font names of Windows designs (ＭＳ Ｐゴシック, ＭＳ 明朝 ...) mapped to the installed Noto CJK faces.
QString programFontConfigFile(const QString &programFolder);

// Points fontconfig (FONTCONFIG_FILE) at that file, so that the web engine of the previews, the PDF
// and the print, and a browser the program starts, draw a design's Windows font in a Gothic or
// Mincho face instead of falling back to a serif one for digits and Latin letters. fontconfig reads
// its file once, so this runs before the application object is made. A FONTCONFIG_FILE of the user's
// own is kept. Returns the file now in use by the program, empty when none of ours.
QString useProgramFontConfig(const QString &programFolder);

// The folder of the running executable, known before the application object exists.
QString executableFolder();

} // namespace platform

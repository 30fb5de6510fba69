#pragma once

class QCoreApplication;

namespace platform {

// Installs Qt's own Japanese translation (qtbase_ja.qm from Qt's translations folder), so standard
// buttons and file dialogs read はい / いいえ / キャンセル whatever the desktop's language.
// False when the file is missing; the program then runs with Qt's English texts.
bool installQtJapanese(QCoreApplication &app);

} // namespace platform

#pragma once

class QLineEdit;

namespace platform {

// Keeps the text of a box that goes into the list, a design or a page in the characters code page
// 932 holds: the JIS forms a Linux or macOS desktop types or pastes (〜 − — ¢ £ ¬ ‖) become the
// CP932 characters meant (platform::cp932::toCp932Forms) as soon as the text changes, however it
// changed (keys, input method, paste, assistive technology). The cursor stays where it was.
void keepCp932Forms(QLineEdit *edit);

} // namespace platform

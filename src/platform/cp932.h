#pragma once

#include <QByteArray>
#include <QString>

namespace platform::cp932 {

// Result of encoding: the bytes, and the index (in UTF-16 units of the input) of the first
// character code page 932 cannot hold, or -1 when every character could be stored.
struct Encoded {
    QByteArray bytes;
    qsizetype firstUnencodable = -1;
    bool ok() const { return firstUnencodable < 0; }
};

Encoded encode(const QString &text);
// True when every character of text can be stored in code page 932.
bool canEncode(const QString &text);
// Decodes CP932 bytes; invalid sequences become U+FFFD. hadErrors tells whether any did.
QString decode(const QByteArray &bytes, bool *hadErrors = nullptr);

// Text typed on a Linux or macOS desktop, or saved by their editors, holds the JIS forms of some
// characters that code page 932 stores under other code points: 〜 − — ¢ £ ¬ ‖. They become the
// characters a Japanese user means and CP932 holds (～ － ― ￠ ￡ ￢ ∥); everything else stays.
QString toCp932Forms(const QString &text);
// The same in place; true when anything changed.
bool mapToCp932Forms(QString *text);
// The first character of text that code page 932 cannot hold (a surrogate pair whole), or the empty
// text when every character can be stored.
QString firstUnencodableCharacter(const QString &text);

} // namespace platform::cp932

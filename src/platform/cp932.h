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

} // namespace platform::cp932

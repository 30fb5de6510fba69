#include "platform/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform::cp932 {

namespace {
constexpr const char *kCodec = "windows-31j";

qsizetype findUnencodable(const QString &text)
{
    // Only reached when the whole text failed: find the first character that does.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder enc(kCodec);
        const QByteArray bytes = enc.encode(QStringView(text).mid(i, len));
        Q_UNUSED(bytes);
        if (enc.hasError())
            return i;
        i += len;
    }
    return 0;
}
} // namespace

Encoded encode(const QString &text)
{
    Encoded result;
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        result.bytes = text.toLatin1();
        return result;
    }
    QStringEncoder enc(kCodec);
    result.bytes = enc.encode(text);
    if (enc.hasError())
        result.firstUnencodable = findUnencodable(text);
    return result;
}

bool canEncode(const QString &text)
{
    return encode(text).ok();
}

QString decode(const QByteArray &bytes, bool *hadErrors)
{
    QStringDecoder dec(kCodec, QStringConverter::Flag::Stateless);
    QString text = dec.decode(bytes);
    if (hadErrors)
        *hadErrors = dec.hasError();
    return text;
}

} // namespace platform::cp932

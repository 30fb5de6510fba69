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

// The platform's code page 932 converter swaps three controls (byte 1A is U+001C, 1C is U+007F, 7F
// is U+001A), as one vendor's tables do; Windows and iconv keep them as they are. Swapped, a value
// holding one of them changed on every save, since ASCII text is stored byte for byte. None of the
// three is ever part of a two-byte character, so the text is cut at them and they are kept as they are.
bool isSwappedControl(char16_t u)
{
    return u == 0x1A || u == 0x1C || u == 0x7F;
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
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSwappedControl(text.at(i).unicode()))
            continue;
        result.bytes += enc.encode(QStringView(text).mid(start, i - start));
        if (i < text.size())
            result.bytes += char(text.at(i).unicode());
        start = i + 1;
    }
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
    QString text;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && !isSwappedControl(uchar(bytes.at(i))))
            continue;
        if (start == 0 && i == bytes.size()) {
            text = dec.decode(bytes);
            break;
        }
        text += dec.decode(QByteArrayView(bytes).sliced(start, i - start));
        if (i < bytes.size())
            text += QChar(char16_t(uchar(bytes.at(i))));
        start = i + 1;
    }
    if (hadErrors)
        *hadErrors = dec.hasError();
    return text;
}

namespace {
char16_t cp932Form(char16_t u)
{
    switch (u) {
    case 0x301C: // WAVE DASH
        return 0xFF5E;
    case 0x2212: // MINUS SIGN
        return 0xFF0D;
    case 0x2014: // EM DASH
        return 0x2015;
    case 0x00A2: // CENT SIGN
        return 0xFFE0;
    case 0x00A3: // POUND SIGN
        return 0xFFE1;
    case 0x00AC: // NOT SIGN
        return 0xFFE2;
    case 0x2016: // DOUBLE VERTICAL LINE
        return 0x2225;
    default:
        return u;
    }
}
} // namespace

bool mapToCp932Forms(QString *text)
{
    bool changed = false;
    for (qsizetype i = 0; i < text->size(); ++i) {
        const char16_t u = text->at(i).unicode();
        if (u < 0xA2)
            continue;
        const char16_t m = cp932Form(u);
        if (m != u) {
            (*text)[i] = QChar(m);
            changed = true;
        }
    }
    return changed;
}

QString toCp932Forms(const QString &text)
{
    QString out = text;
    mapToCp932Forms(&out);
    return out;
}

QString firstUnencodableCharacter(const QString &text)
{
    const Encoded enc = encode(text);
    if (enc.ok())
        return QString();
    const qsizetype at = enc.firstUnencodable;
    const qsizetype len = (text.at(at).isHighSurrogate() && at + 1 < text.size()) ? 2 : 1;
    return text.mid(at, len);
}

} // namespace platform::cp932

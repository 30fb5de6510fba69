#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace products {

// Fixed-point decimal with four places (a 64-bit count of ten-thousandths), for the tax products
// that must be exact.
class Currency {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(qint64 raw)
    {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    static constexpr Currency fromInt(qint64 whole) { return fromRaw(whole * Scale); }
    // Parses a plain decimal ("0.05", "-3", "12.34567" rounds to four places, ties to even).
    static std::optional<Currency> parse(const QString &text);

    constexpr qint64 raw() const { return m_raw; }
    // Largest whole number not greater than the value.
    qint64 floor() const;
    // Shortest plain decimal: 0.05, 1, 0.1.
    QString toString() const;

    friend constexpr Currency operator+(Currency a, Currency b) { return fromRaw(a.m_raw + b.m_raw); }
    friend constexpr Currency operator-(Currency a, Currency b) { return fromRaw(a.m_raw - b.m_raw); }
    // Product rounded to four places, ties to even.
    friend Currency operator*(Currency a, Currency b);
    // a × b of two raw values, back in ten-thousandths, rounded to nearest, ties to even: the one
    // rounding of every exact price product.
    static __int128 roundedRawProduct(__int128 a, __int128 b);
    friend constexpr bool operator==(Currency a, Currency b) { return a.m_raw == b.m_raw; }

private:
    qint64 m_raw = 0;
};

} // namespace products

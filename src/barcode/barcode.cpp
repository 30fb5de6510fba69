#include "barcode/barcode.h"

#include "barcode/ean_patterns.h"

#include <QStringList>

namespace barcode {

namespace {

int counter = 0;

bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QString digitImage(QChar digit, const char *suffix)
{
    return digit + QLatin1String(suffix);
}

} // namespace

int GetCheckDigit(const QString &digits)
{
    const int cd = checkDigitOf(digits);
    if (cd >= 0)
        ++counter;
    return cd;
}

int checkDigitOf(const QString &digits)
{
    const qsizetype n = digits.size();
    if ((n != 12 && n != 7) || !allDigits(digits))
        return -1;

    // Weight 3 always falls on the digit just left of the check digit: EAN-13 starts with 1,
    // EAN-8 with 3.
    int weight = (n == 12) ? 1 : 3;
    int sum = 0;
    for (const QChar c : digits) {
        sum += (c.unicode() - u'0') * weight;
        weight = 4 - weight;
    }
    const int r = sum % 10;
    return r == 0 ? 0 : 10 - r;
}

int checkDigitCounter()
{
    return counter;
}

void resetCheckDigitCounter()
{
    counter = 0;
}

QStringList imageSequence(const QString &code)
{
    const qsizetype n = code.size();
    // Imported lists may carry anything in the JAN field; a code that is not all digits would name
    // images that do not exist, so it gets no barcode at all.
    if ((n != 13 && n != 8) || !allDigits(code))
        return {};

    QStringList paths;
    paths.reserve(15);
    paths << QStringLiteral("LB.bmp");
    if (n == 13) {
        const std::string_view row = ean::parityRows[code[0].unicode() - u'0'];
        for (int k = 1; k <= 6; ++k)
            paths << digitImage(code[k], row[k - 1] == 'A' ? "_L1.bmp" : "_L2.bmp");
        paths << QStringLiteral("CB.bmp");
        for (int k = 7; k <= 12; ++k)
            paths << digitImage(code[k], "_R.bmp");
    } else {
        for (int k = 0; k <= 3; ++k)
            paths << digitImage(code[k], "_L1.bmp");
        paths << QStringLiteral("CB.bmp");
        for (int k = 4; k <= 7; ++k)
            paths << digitImage(code[k], "_R.bmp");
    }
    paths << QStringLiteral("RB.bmp");
    return paths;
}

QString MakeBarCodeHtml(const QString &code, int height)
{
    const QStringList names = imageSequence(code);
    if (names.isEmpty())
        return QString();
    // Pages hold one sequence per product, so the tags are appended piece by piece rather than
    // formatted: a ledger of 100,000 products makes 1.5 million of them.
    const QString heightText = QString::number(height);
    const qsizetype centre = names.size() / 2;
    QString html;
    html.reserve(names.size() * 64);
    for (qsizetype i = 0; i < names.size(); ++i) {
        char width = '7';
        if (i == 0 || i == names.size() - 1)
            width = '4';
        else if (i == centre)
            width = '5';
        html += QLatin1String("<img src=\"BarCode/");
        html += names.at(i);
        html += QLatin1String("\" border=\"0\" width=\"");
        html += QLatin1Char(width);
        html += QLatin1String("\" height=\"");
        html += heightText;
        html += QLatin1String("\">");
    }
    return html;
}

} // namespace barcode

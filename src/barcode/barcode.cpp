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

QString tag(const QString &path, int width, int height)
{
    return QStringLiteral("<img src=\"%1\" border=\"0\" width=\"%2\" height=\"%3\">")
        .arg(path, QString::number(width), QString::number(height));
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
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &n : names)
        paths << QStringLiteral("BarCode/") + n;

    const qsizetype centre = paths.size() / 2;
    QString html;
    html.reserve(int(paths.size()) * 64);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        int width = 7;
        if (i == 0 || i == paths.size() - 1)
            width = 4;
        else if (i == centre)
            width = 5;
        html += tag(paths[i], width, height);
    }
    return html;
}

} // namespace barcode

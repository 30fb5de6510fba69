#include "barcode/barcode.h"

#include "barcode/ean_patterns.h"

#include <QStringList>

#include <array>

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

namespace {

// The 33 images: the three guards, then each digit in its three forms.
enum Guard { LeftGuard, CentreGuard, RightGuard };
enum Form { L1, L2, R };
constexpr int ImageCount = 3 + 10 * 3;

int digitIndex(QChar digit, Form form)
{
    return 3 + (digit.unicode() - u'0') * 3 + form;
}

QString imageName(int index)
{
    static const char *const guards[] = {"LB.bmp", "CB.bmp", "RB.bmp"};
    static const char *const forms[] = {"_L1.bmp", "_L2.bmp", "_R.bmp"};
    if (index < 3)
        return QLatin1String(guards[index]);
    return QChar(u'0' + (index - 3) / 3) + QLatin1String(forms[(index - 3) % 3]);
}

// The images of a complete JAN code in slot order; how many (15, 11, or 0 for a code that is not 13
// or 8 ASCII digits).
int imageIndexes(const QString &code, int (&out)[15])
{
    const qsizetype n = code.size();
    // Imported lists may carry anything in the JAN field; a code that is not all digits would name
    // images that do not exist, so it gets no barcode at all.
    if ((n != 13 && n != 8) || !allDigits(code))
        return 0;
    int k = 0;
    out[k++] = LeftGuard;
    if (n == 13) {
        const std::string_view row = ean::parityRows[code[0].unicode() - u'0'];
        for (int i = 1; i <= 6; ++i)
            out[k++] = digitIndex(code[i], row[i - 1] == 'A' ? L1 : L2);
        out[k++] = CentreGuard;
        for (int i = 7; i <= 12; ++i)
            out[k++] = digitIndex(code[i], R);
    } else {
        for (int i = 0; i <= 3; ++i)
            out[k++] = digitIndex(code[i], L1);
        out[k++] = CentreGuard;
        for (int i = 4; i <= 7; ++i)
            out[k++] = digitIndex(code[i], R);
    }
    out[k++] = RightGuard;
    return k;
}

} // namespace

QStringList imageSequence(const QString &code)
{
    int indexes[15];
    const int count = imageIndexes(code, indexes);
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names << imageName(indexes[i]);
    return names;
}

QString MakeBarCodeHtml(const QString &code, int height)
{
    int indexes[15];
    const int count = imageIndexes(code, indexes);
    if (count == 0)
        return QString();
    // Pages hold one sequence per product (a page of 100,000 products makes 1.5 million tags), and
    // each image has one width (guards 4, centre 5, digits 7), so its tag is made once per height.
    struct Tags {
        int height = -1;
        std::array<QString, ImageCount> byImage;
    };
    thread_local Tags tags;
    if (tags.height != height) {
        tags = Tags();
        tags.height = height;
    }
    QString html;
    html.reserve(count * 64);
    for (int i = 0; i < count; ++i) {
        QString &tag = tags.byImage[size_t(indexes[i])];
        if (tag.isNull()) {
            const int index = indexes[i];
            const char width = index == LeftGuard || index == RightGuard ? '4' : index == CentreGuard ? '5' : '7';
            tag = QLatin1String("<img src=\"BarCode/") + imageName(index) + QLatin1String("\" border=\"0\" width=\"") +
                  QLatin1Char(width) + QLatin1String("\" height=\"") + QString::number(height) + QLatin1String("\">");
        }
        html += tag;
    }
    return html;
}

} // namespace barcode

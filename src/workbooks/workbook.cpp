#include "workbooks/workbook.h"

#include "platform/numbers.h"
#include "workbooks/workbook_parts.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace products {

using platform::AppError;

namespace {

// Day 0 of the serial numbers from 1900-03-01 on; before it the phantom 1900-02-29 shifts them by one.
const QDate kEpoch(1899, 12, 30);
constexpr qint64 kSecondsPerDay = 86400;

QString numberText(double v)
{
    if (!std::isfinite(v))
        return QStringLiteral("#NUM!");
    if (v == 0)
        return QStringLiteral("0");
    QString s = QString::number(v, 'g', 15);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e >= 0)
        s[e] = QLatin1Char('E');
    return s;
}

} // namespace

Cell Cell::fromText(QString t)
{
    Cell c;
    c.kind = t.isEmpty() ? Kind::Empty : Kind::Text;
    c.text = std::move(t);
    return c;
}

Cell Cell::fromNumber(double v)
{
    Cell c;
    c.kind = Kind::Number;
    c.number = v;
    return c;
}

Cell Cell::fromBoolean(bool b)
{
    Cell c;
    c.kind = Kind::Boolean;
    c.number = b ? 1 : 0;
    return c;
}

Cell Cell::fromDate(double serial)
{
    Cell c;
    c.kind = Kind::Date;
    c.number = serial;
    return c;
}

Cell Cell::fromError(QString t)
{
    Cell c;
    c.kind = Kind::Error;
    c.text = std::move(t);
    return c;
}

QString Cell::shown() const
{
    switch (kind) {
    case Kind::Empty:
        return {};
    case Kind::Text:
    case Kind::Error:
        return text;
    case Kind::Number:
        return numberText(number);
    case Kind::Boolean:
        return number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Kind::Date: {
        if (!std::isfinite(number) || number < 0 || number > 2958466)
            return numberText(number);
        const QDateTime dt = dateTimeFromSerial(number);
        const bool hasTime = dt.time() != QTime(0, 0);
        if (std::floor(number) == 0)
            return dt.time().toString(QStringLiteral("H:mm:ss"));
        return hasTime ? dt.toString(QStringLiteral("yyyy/MM/dd H:mm:ss")) : dt.toString(QStringLiteral("yyyy/MM/dd"));
    }
    }
    return {};
}

std::optional<double> Cell::numericValue() const
{
    switch (kind) {
    case Kind::Number:
    case Kind::Boolean:
    case Kind::Date:
        return number;
    case Kind::Text:
        return platform::numericValue(text);
    default:
        return std::nullopt;
    }
}

QDateTime dateTimeFromSerial(double serial)
{
    qint64 seconds = qint64(std::llround(serial * double(kSecondsPerDay)));
    qint64 days = seconds / kSecondsPerDay;
    seconds %= kSecondsPerDay;
    if (days < 61 && days > 0)
        days += 1; // 1900-01-01 .. 1900-02-28 (and the phantom 29th, shown as 03-01)
    return QDateTime(kEpoch.addDays(days), QTime(0, 0).addSecs(int(seconds)));
}

double serialFromDateTime(const QDateTime &dateTime)
{
    qint64 days = kEpoch.daysTo(dateTime.date());
    if (days < 61 && days > 1)
        days -= 1;
    const double secs = QTime(0, 0).msecsTo(dateTime.time()) / 1000.0;
    return double(days) + secs / double(kSecondsPerDay);
}

OpenedWorkbook openWorkbook(const QString &path)
{
    OpenedWorkbook opened;
    const QFileInfo info(path);
    if (!info.exists()) {
        opened.error =
            QFileInfo(info.absolutePath()).isDir() ? AppError::fileNotFound(path) : AppError::pathNotFound(path);
        return opened;
    }
    if (!info.isFile()) {
        opened.error = AppError{75, QStringLiteral("ファイルではありません。 (") + path + QLatin1Char(')')};
        return opened;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        opened.error = AppError::permissionDenied(path);
        return opened;
    }
    const QByteArray head = f.read(8);
    f.close();
    static const QByteArray oleMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    if (head == oleMagic) {
        if (info.size() > workbook_limits::MaxPartBytes) {
            opened.error = workbook_parts::tooLarge(info.fileName());
            return opened;
        }
        opened.reader = workbook_parts::openXls(path, &opened.error);
    } else if (head.startsWith("PK\x03\x04")) {
        opened.reader = workbook_parts::openZipWorkbook(path, &opened.error);
    } else {
        opened.error = workbook_parts::notAWorkbook(info.fileName());
    }
    return opened;
}

} // namespace products

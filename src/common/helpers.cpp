#include "common/helpers.h"

#include "platform/numbers.h"
#include "platform/profile_file.h"
#include "platform/user_services.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

#include <cmath>
#include <limits>

namespace common {

QString GetIniValue(const QString &path, const QString &section, const QString &key)
{
    return platform::readProfileString(path, section, key);
}

int PutIniValue(const QString &path, const QString &section, const QString &key, const QString &value)
{
    return platform::writeProfileString(path, section, key, value) ? 1 : 0;
}

bool OpenWithShell(platform::UiServices &services, const QString &target)
{
    const QString t = target.trimmed();
    if (t.isEmpty())
        return false;
    return services.openWithShell(t);
}

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return 0;
}

qint32 toInt32(double v)
{
    if (!std::isfinite(v) || v < double(std::numeric_limits<qint32>::min()) ||
        v > double(std::numeric_limits<qint32>::max()))
        return 0;
    return qint32(v);
}

double screenTwipsPerPixel(bool horizontal)
{
    const QScreen *screen =
        qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return 15.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

} // namespace

qint32 ColorTextToValue(const QString &text)
{
    // The six characters after "#": R1 R2 G1 G2 B1 B2.
    int d[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 6 && i + 1 < text.size(); ++i)
        d[i] = hexDigit(text.at(i + 1));
    return d[4] * 1048576 + d[5] * 65536 + d[2] * 4096 + d[3] * 256 + d[0] * 16 + d[1];
}

QString ColorValueToText(qint64 value)
{
    if (value < 0 || value > 0xFFFFFF)
        return QString();
    const QString bgr = QString::number(value, 16).toUpper().rightJustified(6, QLatin1Char('0'));
    return QLatin1Char('#') + bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.mid(0, 2);
}

QColor colorFromValue(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 colorToValue(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QString ShortenPath(const QString &path)
{
    if (path.isEmpty())
        return QString();
    // Counted in characters, so that a character outside the basic plane is never cut in half.
    const QList<uint> chars = path.toUcs4();
    if (chars.size() <= 50)
        return path;
    // The classic form puts "....." and a backslash before the file name; here the separator is the
    // platform's own, because a backslash is an ordinary file-name character on this system and would
    // read as part of the name.
    QString shortened = QString::fromUcs4(reinterpret_cast<const char32_t *>(chars.constData()), 23) +
                        QStringLiteral(".....") + QDir::separator();
    const QFileInfo info(path);
    if (info.exists())
        shortened += info.fileName();
    return shortened;
}

double twipsPerPixelX()
{
    return screenTwipsPerPixel(true);
}
double twipsPerPixelY()
{
    return screenTwipsPerPixel(false);
}

qint32 twipsToPixels(qint32 twips, double twipsPerPixel)
{
    if (!(twipsPerPixel > 0) || !std::isfinite(twipsPerPixel))
        return 0;
    return toInt32(std::floor(double(twips) / twipsPerPixel));
}

qint32 pixelsToTwips(qint32 pixels, double twipsPerPixel)
{
    if (!(twipsPerPixel > 0) || !std::isfinite(twipsPerPixel))
        return 0;
    return toInt32(std::nearbyint(double(pixels) * twipsPerPixel));
}

qint32 TwipsToPixelsX(qint32 twips)
{
    return twipsToPixels(twips, twipsPerPixelX());
}
qint32 TwipsToPixelsY(qint32 twips)
{
    return twipsToPixels(twips, twipsPerPixelY());
}
qint32 PixelsToTwipsX(qint32 pixels)
{
    return pixelsToTwips(pixels, twipsPerPixelX());
}
qint32 PixelsToTwipsY(qint32 pixels)
{
    return pixelsToTwips(pixels, twipsPerPixelY());
}

WindowSizeBounds mainWindowSizeBounds(double tppX, double tppY, const QSize &screenPixels)
{
    WindowSizeBounds b;
    const auto rounded = [](double twips, double tpp) {
        return tpp > 0 && std::isfinite(tpp) ? toInt32(std::nearbyint(twips / tpp)) : 0;
    };
    b.minimum = QSize(rounded(MainWindowMinWidthTwips, tppX), rounded(MainWindowMinHeightTwips, tppY));
    // A screen smaller than the minimum still lets the window reach its minimum.
    b.maximum = screenPixels.expandedTo(b.minimum);
    return b;
}

WindowSizeBounds mainWindowSizeBounds()
{
    // Without a screen, no upper bound but the largest size a window may have.
    QSize screenSize(16777215, 16777215);
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            screenSize = screen->size();
    }
    return mainWindowSizeBounds(twipsPerPixelX(), twipsPerPixelY(), screenSize);
}

QString logoNotFoundText(const QString &path)
{
    return QStringLiteral("ロゴ用の画像\r\n") + path + QStringLiteral("\r\nが見つかりませんでした.");
}

QString logoTooLargeText(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() <= MaxLogoPixels)
        return QString();
    return QStringLiteral("ロゴ用の画像\r\n") + path +
           QStringLiteral("\r\nは大きすぎます (%1 画素まで).").arg(platform::formatThousands(MaxLogoPixels));
}

QString logoProblemText(const QString &path)
{
    return QFileInfo(path).isFile() ? logoTooLargeText(path) : logoNotFoundText(path);
}

} // namespace common

#include "label_stocks/catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <optional>

namespace label_stocks {

namespace {

Q_LOGGING_CATEGORY(lcStocks, "vennlo.stocks", QtWarningMsg)

// Sizes beyond any real sheet or label stop a hostile file from reaching the page as absurd numbers.
constexpr double kMaxPaperMm = 2000;
constexpr int kMaxGrid = 1000;
// Catalogue entries are rounded by their makers: labels may overhang the sheet by this much, and
// neighbours overlap by a rounding error (Avery 7161: 132.6 pt labels every 132.5 pt).
constexpr double kOverhangMm = 1.0;
constexpr double kRoundingMm = 0.1;

// A distance of the catalogue: a number and a unit (pt, in, mm, cm, pc); a bare number is in points.
std::optional<double> toMm(QStringView text)
{
    static const struct {
        QLatin1StringView unit;
        double mm;
    } units[] = {{QLatin1StringView("mm"), 1.0},
                 {QLatin1StringView("cm"), 10.0},
                 {QLatin1StringView("in"), 25.4},
                 {QLatin1StringView("pt"), 25.4 / 72},
                 {QLatin1StringView("pc"), 25.4 / 6}};
    text = text.trimmed();
    double factor = 25.4 / 72;
    for (const auto &u : units) {
        if (text.endsWith(u.unit)) {
            factor = u.mm;
            text.chop(u.unit.size());
            break;
        }
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value * factor;
}

struct PaperSize {
    double widthMm = 0;
    double heightMm = 0;
};

struct Template {
    LabelStock stock;
    QString equiv; // the part of the same brand whose geometry this one shares
    bool rectangular = false;
    int layouts = 0;
};

class FileReader {
public:
    FileReader(QXmlStreamReader &xml, QHash<QString, PaperSize> &papers) : xml_(xml), papers_(papers) {}

    // Templates of a catalogue file, or paper sizes into papers_; an error text when the file is damaged.
    QString read(QList<Template> &templates, bool paperSizesOnly)
    {
        if (!xml_.readNextStartElement())
            return xml_.hasError() ? xml_.errorString() : QStringLiteral("空のファイルです");
        const bool paperFile = xml_.name() == QLatin1String("Glabels-paper-sizes");
        if (!paperFile && xml_.name() != QLatin1String("Glabels-templates")) {
            xml_.skipCurrentElement();
            return {};
        }
        if (paperFile != paperSizesOnly) {
            xml_.skipCurrentElement();
            return xml_.hasError() ? xml_.errorString() : QString();
        }
        while (xml_.readNextStartElement()) {
            QString error;
            if (xml_.name() == QLatin1String("Paper-size"))
                error = readPaper();
            else if (xml_.name() == QLatin1String("Template"))
                error = readTemplate(templates);
            else
                xml_.skipCurrentElement();
            if (!error.isEmpty())
                return error;
        }
        return xml_.hasError() ? xml_.errorString() : QString();
    }

private:
    QString readPaper()
    {
        const QXmlStreamAttributes a = xml_.attributes();
        const auto w = toMm(a.value(QLatin1String("width")));
        const auto h = toMm(a.value(QLatin1String("height")));
        const QString id = a.value(QLatin1String("id")).toString();
        xml_.skipCurrentElement();
        if (id.isEmpty() || !w || !h || *w <= 0 || *h <= 0 || *w > kMaxPaperMm || *h > kMaxPaperMm)
            return QStringLiteral("用紙サイズ \"%1\" の大きさが読めません").arg(id);
        if (!papers_.contains(id))
            papers_.insert(id, PaperSize{*w, *h});
        return {};
    }

    QString readTemplate(QList<Template> &templates)
    {
        Template t;
        const QXmlStreamAttributes a = xml_.attributes();
        t.stock.brand = a.value(QLatin1String("brand")).toString().trimmed();
        t.stock.part = a.value(QLatin1String("part")).toString().trimmed();
        t.stock.description = a.value(QLatin1String("_description")).toString();
        if (t.stock.description.isEmpty())
            t.stock.description = a.value(QLatin1String("description")).toString();
        t.stock.paper = a.value(QLatin1String("size")).toString();
        t.equiv = a.value(QLatin1String("equiv")).toString().trimmed();
        if (t.stock.paper == QLatin1String("Other")) {
            t.stock.paperWidthMm = toMm(a.value(QLatin1String("width"))).value_or(0);
            t.stock.paperHeightMm = toMm(a.value(QLatin1String("height"))).value_or(0);
        }
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("Label-rectangle")) {
                const QString error = readRectangle(t);
                if (!error.isEmpty())
                    return error;
            } else {
                // Round, elliptic and CD labels have no place in a grid of rectangular cards.
                xml_.skipCurrentElement();
            }
        }
        if (!xml_.hasError() && !t.stock.brand.isEmpty() && !t.stock.part.isEmpty())
            templates.append(t);
        return {};
    }

    QString readRectangle(Template &t)
    {
        const QXmlStreamAttributes a = xml_.attributes();
        t.rectangular = true;
        t.stock.labelWidthMm = toMm(a.value(QLatin1String("width"))).value_or(-1);
        t.stock.labelHeightMm = toMm(a.value(QLatin1String("height"))).value_or(-1);
        t.stock.roundMm =
            a.hasAttribute(QLatin1String("round")) ? toMm(a.value(QLatin1String("round"))).value_or(-1) : 0;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("Layout")) {
                const QXmlStreamAttributes l = xml_.attributes();
                if (++t.layouts == 1) {
                    t.stock.columns = l.value(QLatin1String("nx")).toInt();
                    t.stock.rows = l.value(QLatin1String("ny")).toInt();
                    t.stock.leftMm = toMm(l.value(QLatin1String("x0"))).value_or(-1);
                    t.stock.topMm = toMm(l.value(QLatin1String("y0"))).value_or(-1);
                    t.stock.pitchXMm =
                        l.hasAttribute(QLatin1String("dx")) ? toMm(l.value(QLatin1String("dx"))).value_or(-1) : 0;
                    t.stock.pitchYMm =
                        l.hasAttribute(QLatin1String("dy")) ? toMm(l.value(QLatin1String("dy"))).value_or(-1) : 0;
                }
            }
            xml_.skipCurrentElement();
        }
        return {};
    }

    QXmlStreamReader &xml_;
    QHash<QString, PaperSize> &papers_;
};

// Why a stock cannot be printed on its sheet, or the empty text.
QString impossible(LabelStock &s)
{
    if (s.columns == 1 && s.pitchXMm == 0)
        s.pitchXMm = s.labelWidthMm;
    if (s.rows == 1 && s.pitchYMm == 0)
        s.pitchYMm = s.labelHeightMm;
    if (!(s.paperWidthMm > 0 && s.paperHeightMm > 0 && s.paperWidthMm <= kMaxPaperMm && s.paperHeightMm <= kMaxPaperMm))
        return QStringLiteral("用紙 \"%1\" の大きさがわかりません").arg(s.paper);
    if (!(s.labelWidthMm > 0 && s.labelHeightMm > 0 && s.roundMm >= 0))
        return QStringLiteral("ラベルの大きさが読めません");
    if (s.columns < 1 || s.rows < 1 || s.columns > kMaxGrid || s.rows > kMaxGrid)
        return QStringLiteral("ラベルの並び (%1 × %2) が読めません").arg(s.columns).arg(s.rows);
    if (!(s.leftMm >= 0 && s.topMm >= 0 && s.pitchXMm >= s.labelWidthMm - kRoundingMm &&
          s.pitchYMm >= s.labelHeightMm - kRoundingMm))
        return QStringLiteral("ラベルの位置または間隔が読めません");
    const double right = s.leftMm + (s.columns - 1) * s.pitchXMm + s.labelWidthMm;
    const double bottom = s.topMm + (s.rows - 1) * s.pitchYMm + s.labelHeightMm;
    if (right > s.paperWidthMm + kOverhangMm || bottom > s.paperHeightMm + kOverhangMm)
        return QStringLiteral("ラベルが用紙からはみ出します");
    return {};
}

QByteArray readBounded(const QString &path, QString &error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        error = QStringLiteral("通常のファイルではありません");
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return {};
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes)
        error = QStringLiteral("%1 バイトを超えています").arg(kMaxFileBytes);
    return error.isEmpty() ? bytes : QByteArray();
}

QString formatMm(double mm)
{
    return QString::number(std::round(mm * 100) / 100, 'g', 10);
}

} // namespace

QString LabelStock::summary() const
{
    return QStringLiteral("%1 %2  %3 × %4 mm  %5 面 (%6 × %7)  %8")
        .arg(brand, part, formatMm(labelWidthMm), formatMm(labelHeightMm))
        .arg(count())
        .arg(columns)
        .arg(rows)
        .arg(paper == QLatin1String("Other")
                 ? QStringLiteral("%1 × %2 mm").arg(formatMm(paperWidthMm), formatMm(paperHeightMm))
                 : paper);
}

const LabelStock *Catalogue::find(const QString &brand, const QString &part) const
{
    for (const LabelStock &s : stocks)
        if (s.brand.compare(brand, Qt::CaseInsensitive) == 0 && s.part.compare(part, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

QList<const LabelStock *> Catalogue::search(const QString &text) const
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<const LabelStock *> found;
    for (const LabelStock &s : stocks) {
        const QString hay = s.brand + QLatin1Char(' ') + s.part + QLatin1Char(' ') + s.description;
        if (std::all_of(words.cbegin(), words.cend(),
                        [&](const QString &w) { return hay.contains(w, Qt::CaseInsensitive); }))
            found.append(&s);
    }
    return found;
}

QStringList catalogueFolders()
{
    const QByteArray override = qgetenv("VENNLO_LABEL_TEMPLATES");
    if (!override.isEmpty())
        return QFile::decodeName(override).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    QStringList folders{
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/libglabels/templates"),
        QDir::homePath() + QStringLiteral("/.glabels"),
    };
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        for (const char *sub :
             {"/libglabels-3.0/templates", "/glabels-qt/templates", "/libglabels/templates", "/glabels/templates"})
            folders << data + QLatin1String(sub);
    folders.removeDuplicates();
    return folders;
}

Catalogue loadCatalogue(const QStringList &folders)
{
    Catalogue catalogue;
    auto note = [&](const QString &text) {
        catalogue.notes << text;
        qCWarning(lcStocks).noquote() << text;
    };

    QStringList files;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList({QStringLiteral("*.xml"), QStringLiteral("*.template")},
                                                 QDir::Files | QDir::System | QDir::Hidden, QDir::Name))
            files << dir.filePath(name);
    }

    // Paper sizes first, from every folder, so that a user's template may name a system paper size.
    QHash<QString, PaperSize> papers;
    QList<Template> templates;
    QHash<QString, QByteArray> contents;
    for (const bool paperPass : {true, false}) {
        for (const QString &path : files) {
            QString error;
            if (paperPass)
                contents.insert(path, readBounded(path, error));
            if (!error.isEmpty()) {
                note(QStringLiteral("%1: 読み飛ばしました (%2)").arg(QDir::toNativeSeparators(path), error));
                continue;
            }
            const QByteArray bytes = contents.value(path);
            if (bytes.isEmpty())
                continue;
            QXmlStreamReader xml(bytes);
            QList<Template> found;
            QHash<QString, PaperSize> filePapers = papers;
            error = FileReader(xml, filePapers).read(found, paperPass);
            if (!error.isEmpty()) {
                note(QStringLiteral("%1: %2 行目: 読み飛ばしました (%3)")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(xml.lineNumber())
                         .arg(error));
                contents.insert(path, {});
                continue;
            }
            papers = filePapers;
            templates += found;
            if (templates.size() > kMaxStocks) {
                note(QStringLiteral("%1: 用紙が %2 を超えたので以降を読み飛ばしました")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(kMaxStocks));
                templates.resize(kMaxStocks);
                break;
            }
        }
    }

    QHash<QString, const Template *> byKey;
    for (const Template &t : templates) {
        const QString key = (t.stock.brand + QLatin1Char(':') + t.stock.part).toCaseFolded();
        if (!byKey.contains(key))
            byKey.insert(key, &t);
    }
    QHash<QString, bool> taken;
    for (const Template &t : templates) {
        const QString key = (t.stock.brand + QLatin1Char(':') + t.stock.part).toCaseFolded();
        if (taken.contains(key))
            continue;
        taken.insert(key, true);
        LabelStock stock = t.stock;
        const Template *shape = &t;
        if (!t.equiv.isEmpty()) {
            // One level only: an equivalent of an equivalent is a damaged entry, not a loop to follow.
            shape = byKey.value((t.stock.brand + QLatin1Char(':') + t.equiv).toCaseFolded());
            if (!shape || !shape->equiv.isEmpty()) {
                note(QStringLiteral("%1: 同等品 %2 が見つかりません").arg(stock.key(), t.equiv));
                continue;
            }
            const QString description = stock.description;
            stock = shape->stock;
            stock.brand = t.stock.brand;
            stock.part = t.stock.part;
            if (!description.isEmpty())
                stock.description = description;
        }
        if (!shape->rectangular || shape->layouts != 1)
            continue;
        if (stock.paper != QLatin1String("Other")) {
            const PaperSize paper = papers.value(stock.paper);
            stock.paperWidthMm = paper.widthMm;
            stock.paperHeightMm = paper.heightMm;
        }
        const QString why = impossible(stock);
        if (!why.isEmpty()) {
            note(QStringLiteral("%1: 読み飛ばしました (%2)").arg(stock.key(), why));
            continue;
        }
        catalogue.stocks.append(stock);
    }
    std::sort(catalogue.stocks.begin(), catalogue.stocks.end(), [](const LabelStock &a, const LabelStock &b) {
        const int byBrand = a.brand.compare(b.brand, Qt::CaseInsensitive);
        return byBrand != 0 ? byBrand < 0 : a.part.compare(b.part, Qt::CaseInsensitive) < 0;
    });
    return catalogue;
}

} // namespace label_stocks

#include "label_stocks/calibration_page.h"

#include "common/page_head.h"
#include "label_stocks/chosen_stock.h"

namespace label_stocks {

namespace {

constexpr double kLineMm = 0.2;

QString box(double x, double y, double w, double h)
{
    return QStringLiteral("<div class=\"ink\" style=\"left:%1mm; top:%2mm; width:%3mm; height:%4mm;\"></div>")
        .arg(mmText(x), mmText(y), mmText(w), mmText(h));
}

QString text(double x, double y, const QString &words)
{
    return QStringLiteral("<div class=\"note\" style=\"left:%1mm; top:%2mm;\">%3</div>")
        .arg(mmText(x), mmText(y), words);
}

} // namespace

QString calibrationPageFileName()
{
    return QStringLiteral("calib.html");
}

QStringList calibrationPageLines()
{
    // An A4 stock of one label: the page's block, its @page rule and its clipping are those of every
    // page on a stock.
    ChosenStock a4;
    a4.key = QStringLiteral("A4");
    a4.pageWidthMm = a4.labelWidthMm = 210;
    a4.pageHeightMm = a4.labelHeightMm = 297;
    a4.columns = a4.rows = 1;
    QStringList l = common::pageHeadLines({QStringLiteral("印刷位置の補正"), false});
    l << stockStyleLines(a4, QStringLiteral("border-style:none;"));
    l << QStringLiteral("div.ink {position:absolute; background-color:#000000; margin:0; padding:0;}")
      << QStringLiteral("div.note {position:absolute; font:9pt sans-serif; color:#000000; white-space:nowrap;}")
      << QStringLiteral("--></style></head><body>") << sheetOpening(true);

    const double half = kLineMm / 2;
    for (const CrossMark &c : CalibrationCrosses) {
        l << box(c.xMm - 8, c.yMm - half, 16, kLineMm) << box(c.xMm - half, c.yMm - 8, kLineMm, 16);
        l << text(c.xMm + 2, c.yMm + 1, QStringLiteral("%1, %2 mm").arg(mmText(c.xMm), mmText(c.yMm)));
    }
    for (int mm = int(RulerStartMm); mm <= int(RulerEndXMm); ++mm) {
        const double length = mm % 10 == 0 ? 6 : mm % 5 == 0 ? 4 : 2;
        l << box(mm - half, RulerStartMm, kLineMm, length);
        if (mm % 10 == 0)
            l << text(mm + 0.5, RulerStartMm + 6, QString::number(mm));
    }
    for (int mm = int(RulerStartMm); mm <= int(RulerEndYMm); ++mm) {
        const double length = mm % 10 == 0 ? 6 : mm % 5 == 0 ? 4 : 2;
        l << box(RulerStartMm, mm - half, length, kLineMm);
        if (mm % 10 == 0)
            l << text(RulerStartMm + 7, mm - 2, QString::number(mm));
    }
    l << text(50, 60, QStringLiteral("印刷位置の補正用ページ (A4、等倍 100%、余白なしで印刷してください)"))
      << text(50, 66,
              QStringLiteral("十字の中心と目盛りは用紙の左端・上端からの距離 (mm) に印刷されるはずの位置です。"))
      << text(50, 72, QStringLiteral("実際に印刷された位置とのずれを 0.1 mm 単位で測り、ずれを打ち消す向き"))
      << text(50, 78, QStringLiteral("(右へ 1.5 mm ずれたら横 -1.5、上へ 0.5 mm ずれたら縦 +0.5) で入力します。"))
      << sheetClosing() << QStringLiteral("</body></html>");
    return l;
}

} // namespace label_stocks

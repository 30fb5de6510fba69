#include "painting/page_stream.h"

#include "label_stocks/chosen_stock.h"
#include "painting/units.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace painting {

namespace {

void setError(platform::AppError *error, const platform::AppError &e)
{
    if (error)
        *error = e;
}

QPageSize paperOf(const label_stocks::ChosenStock *stock)
{
    if (!stock || stock->pageWidthMm <= 0 || stock->pageHeightMm <= 0)
        return QPageSize(QPageSize::A4);
    return QPageSize(QSizeF(stock->pageWidthMm, stock->pageHeightMm), QPageSize::Millimeter);
}

} // namespace

std::function<void(QPainter &, qint64 page)> atScale(double scale,
                                                     std::function<void(QPainter &, qint64 page)> paintPage)
{
    if (scale == 1)
        return paintPage;
    return [scale, paintPage = std::move(paintPage)](QPainter &p, qint64 page) {
        p.save();
        p.scale(scale, scale);
        paintPage(p, page);
        p.restore();
    };
}

PaintOutcome paintPages(QPagedPaintDevice &device, qint64 pages, const PaintOptions &options,
                        const std::function<void(QPainter &, qint64 page)> &paintPage, platform::AppError *error)
{
    // Full-page mode: the page's own millimetres from the paper's corner, whatever margins the
    // printer reports.
    QPageLayout layout(paperOf(options.stock), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(layout);
    if (options.cancelled && options.cancelled())
        return PaintOutcome::Cancelled;
    QPainter painter;
    if (!painter.begin(&device)) {
        setError(error,
                 platform::AppError{platform::AppError::DeviceIoError, QStringLiteral("デバイス I/O エラーです。")});
        return PaintOutcome::Failed;
    }
    const double scale = device.logicalDpiX() / PxPerInch;
    const QPointF offset(mmToPx(options.offsetMm.x()), mmToPx(options.offsetMm.y()));
    pages = qMax<qint64>(pages, 1);
    for (qint64 p = 0; p < pages; ++p) {
        if (p > 0) {
            if (options.cancelled && options.cancelled()) {
                painter.end();
                return PaintOutcome::Cancelled;
            }
            if (!device.newPage()) {
                painter.end();
                setError(error, platform::AppError{platform::AppError::DeviceIoError,
                                                   QStringLiteral("デバイス I/O エラーです。")});
                return PaintOutcome::Failed;
            }
        }
        painter.resetTransform();
        painter.scale(scale, scale);
        painter.translate(offset);
        painter.save();
        paintPage(painter, p);
        painter.restore();
        if (options.progress)
            options.progress(p + 1, pages);
    }
    if (!painter.end()) {
        setError(error,
                 platform::AppError{platform::AppError::DeviceIoError, QStringLiteral("デバイス I/O エラーです。")});
        return PaintOutcome::Failed;
    }
    return PaintOutcome::Done;
}

PaintOutcome writePdfWith(const QString &pdfPath, const std::function<PaintOutcome(QPagedPaintDevice &)> &paint,
                          platform::AppError *error)
{
    QSaveFile file(pdfPath);
    auto writeError = [&] {
        return QFileInfo(QFileInfo(pdfPath).absolutePath()).isDir() ? platform::AppError::permissionDenied(pdfPath)
                                                                    : platform::AppError::pathNotFound(pdfPath);
    };
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, writeError());
        return PaintOutcome::Failed;
    }
    PaintOutcome outcome;
    {
        QPdfWriter writer(&file);
        writer.setResolution(int(PxPerInch));
        writer.setCreator(QStringLiteral("ぽらね値札作成"));
        writer.setTitle(QStringLiteral("ぽらね値札作成"));
        outcome = paint(writer);
    }
    if (outcome != PaintOutcome::Done) {
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit()) {
        setError(error, writeError());
        return PaintOutcome::Failed;
    }
    return PaintOutcome::Done;
}

PaintOptions onStock(const PaintOptions &options, const label_stocks::ChosenStock &designStock)
{
    PaintOptions on = options;
    if (!on.stock && designStock.isSet())
        on.stock = &designStock;
    if (on.stock && (on.stock->columns < 1 || on.stock->rows < 1))
        on.stock = nullptr;
    return on;
}

common::MakeResult paintedResult(PaintOutcome done, const QString &label, const platform::AppError &error,
                                 PaintOutcome *outcome)
{
    if (outcome)
        *outcome = done;
    if (done == PaintOutcome::Failed)
        return common::MakeResult::failed(label, error);
    if (done == PaintOutcome::Cancelled)
        return common::MakeResult{};
    return common::MakeResult::made(QString(), QString(), QString());
}

common::MakeResult makePdfWith(const SheetPainter &paint, const QString &pdfPath, const PaintOptions &options,
                               const QString &label, PaintOutcome *outcome)
{
    common::MakeResult result;
    platform::AppError error;
    const PaintOutcome written = writePdfWith(
        pdfPath,
        [&](QPagedPaintDevice &device) {
            PaintOutcome done = PaintOutcome::Failed;
            result = paint(device, options, &done);
            return result.ok() || done == PaintOutcome::Cancelled ? done : PaintOutcome::Failed;
        },
        &error);
    if (outcome)
        *outcome = written;
    // The file itself failed: the sheet was drawn, or never begun.
    const bool sheetSaidNothing =
        result.ok() || (result.kind == common::MakeResult::Refused && !result.refusal().refused());
    if (written == PaintOutcome::Failed && sheetSaidNothing)
        return common::MakeResult::failed(label, error);
    if (result.ok())
        result.path = pdfPath;
    return result;
}

} // namespace painting

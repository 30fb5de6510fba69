#pragma once

#include <QFileInfo>
#include <QString>

#include <algorithm>

namespace dialogs {

// How long a page may take to load and become a PDF before the attempt is given up: five minutes,
// and one more for every started megabyte of page. A big sheet on a busy machine must not be cut off
// (a 10,000-card sheet of 15 MB took two minutes on a machine busy with other work, and more
// than five once it was busier), while a broken page still cannot hold the window for ever.
inline constexpr qint64 PagePdfBaseTimeoutMs = 5 * 60 * 1000;
inline constexpr qint64 PagePdfTimeoutPerMegabyteMs = 60 * 1000;
inline constexpr qint64 PagePdfMaxTimeoutMs = 4 * 60 * 60 * 1000;

inline int pagePdfTimeoutMs(qint64 pageBytes)
{
    const qint64 megabytes = (std::max<qint64>(pageBytes, 0) + (1 << 20) - 1) >> 20;
    return int(std::min(PagePdfBaseTimeoutMs + megabytes * PagePdfTimeoutPerMegabyteMs, PagePdfMaxTimeoutMs));
}

inline int pagePdfTimeoutMs(const QString &htmlPath)
{
    return pagePdfTimeoutMs(QFileInfo(htmlPath).size());
}

} // namespace dialogs

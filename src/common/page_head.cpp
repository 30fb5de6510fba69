#include "common/page_head.h"

namespace common {

QStringList pageHeadLines(const PageHead &head)
{
    QStringList l{QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
                  QStringLiteral("<html>"), QStringLiteral("<head>"),
                  QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">")};
    if (head.declaresStyleType)
        l << QStringLiteral("<meta http-equiv=\"content-style-type\" content=\"text/css\">");
    l << QStringLiteral("<title>") + head.title + QStringLiteral("</title>")
      << QStringLiteral("<style type=\"text/css\"><!--");
    return l;
}

} // namespace common

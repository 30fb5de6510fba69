#pragma once

#include "platform/cp932.h"

namespace platform::cp932_table {

// Table-driven versions of platform::cp932's decode and encode for whole list files: the tables are
// built once from platform::cp932 itself, and any input the tables do not cover plainly (invalid
// bytes, characters without a one-to-one mapping) goes to platform::cp932, so the results are the same.
QString decode(const QByteArray &bytes, bool *hadErrors = nullptr);
platform::cp932::Encoded encode(const QString &text);

} // namespace platform::cp932_table

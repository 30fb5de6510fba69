#include "platform/page_writer.h"

#include "platform/cp932_table.h"
#include "platform/text_file.h"

#include <QFileInfo>

namespace platform {

namespace {
// Characters gathered before a block is encoded and written: large enough that a page costs few
// writes, small enough that memory stays flat whatever the page's length.
constexpr qsizetype BlockChars = 256 * 1024;
} // namespace

Cp932PageWriter::Cp932PageWriter(const QString &path) : m_path(path) {}

Cp932PageWriter::~Cp932PageWriter()
{
    cancel();
}

AppError Cp932PageWriter::writeError() const
{
    const QFileInfo info(m_path);
    if (!QFileInfo(info.absolutePath()).isDir())
        return AppError::pathNotFound(m_path);
    return AppError::permissionDenied(m_path);
}

bool Cp932PageWriter::open(AppError *error)
{
    m_file = std::make_unique<QSaveFile>(m_path);
    // Unbuffered, so that a short write (disk full) shows in write()'s result instead of passing
    // through the flush inside commit() and leaving a truncated page.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_failed = true;
        m_error = writeError();
        m_file.reset();
        if (error)
            *error = m_error;
        return false;
    }
    m_block.reserve(BlockChars + 4096);
    return true;
}

void Cp932PageWriter::addLine(const QString &line)
{
    if (m_failed)
        return;
    m_block += line;
    m_block += QLatin1String("\r\n");
    ++m_lineCount;
    if (m_block.size() >= BlockChars)
        flushBlock();
}

bool Cp932PageWriter::flushBlock()
{
    if (m_failed)
        return false;
    if (!m_file) {
        m_failed = true;
        m_error = writeError();
        return false;
    }
    if (m_block.isEmpty())
        return true;
    const cp932::Encoded enc = cp932_table::encode(m_block);
    if (!enc.ok()) {
        m_failed = true;
        m_error = unstorableInPage(cp932::firstUnencodableCharacter(m_block.mid(enc.firstUnencodable, 2)));
        return false;
    }
    if (m_file->write(enc.bytes) != enc.bytes.size()) {
        m_failed = true;
        m_error = writeError();
        return false;
    }
    m_block.clear();
    return true;
}

bool Cp932PageWriter::finish(AppError *error)
{
    if (flushBlock() && m_file->commit()) {
        m_file.reset();
        return true;
    }
    if (!m_failed) {
        m_failed = true;
        m_error = writeError();
    }
    cancel();
    if (error)
        *error = m_error;
    return false;
}

void Cp932PageWriter::cancel()
{
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset();
    }
    m_block.clear();
}

} // namespace platform

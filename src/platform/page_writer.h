#pragma once

#include "platform/apperror.h"

#include <QByteArray>
#include <QList>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace platform {

// Where a page generator puts its lines, one at a time, so that a page of any length never has to
// be held whole in memory.
class LineSink {
public:
    virtual ~LineSink() = default;
    // One line, without its line end.
    virtual void addLine(const QString &line) = 0;
    // The same, so that a generator can write `sink << line << line`.
    LineSink &operator<<(const QString &line)
    {
        addLine(line);
        return *this;
    }
    LineSink &operator<<(const QStringList &lines)
    {
        for (const QString &line : lines)
            addLine(line);
        return *this;
    }
    // False once the sink can take no more (a write failed, a character could not be stored): the
    // generator may stop early, its remaining lines would be dropped anyway.
    virtual bool good() const { return true; }
};

// Keeps the lines (tests, and the small preview pages).
class LineCollector : public LineSink {
public:
    void addLine(const QString &line) override { lines.append(line); }
    QStringList lines;
};

// Takes no line: a generator run into it meets the faults of its set-up and stops at its first look
// at good(). Used to report a page's own faults first when its file cannot be opened.
class NullSink : public LineSink {
public:
    void addLine(const QString &) override {}
    bool good() const override { return false; }
};

// Streams a page into its file: the lines are encoded as CP932 with CR LF after each, in blocks, into
// a temporary file that replaces the target only when finish() succeeds. Until then, and after any
// failure, the previous file stays as it was. The bytes are those writeCp932Lines() writes for the
// same lines.
class Cp932PageWriter : public LineSink {
public:
    explicit Cp932PageWriter(const QString &path);
    ~Cp932PageWriter() override;

    // Opens the temporary file; false with error set when the folder cannot take it.
    bool open(AppError *error = nullptr);
    void addLine(const QString &line) override;
    bool good() const override { return !m_failed; }
    // Writes what is left and replaces the target. False with error set when anything failed on the
    // way: a character code page 932 cannot hold (the error names it; nothing is replaced), or a write
    // (disk full, permission).
    bool finish(AppError *error = nullptr);
    // Drops the temporary file; the target stays as it was.
    void cancel();

    qint64 linesWritten() const { return m_lineCount; }

private:
    bool flushBlock();
    AppError writeError() const;

    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    QString m_block; // lines waiting to be encoded, each followed by CR LF
    qint64 m_lineCount = 0;
    bool m_failed = false;
    AppError m_error;
};

} // namespace platform

#pragma once

#include "platform/apperror.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// An INI text file with the semantics of the classic profile functions: section and key names are
// case-insensitive, a read gives the trimmed value (at most 1023 characters, only the text before a
// NUL) or the empty text for a missing file, section or key, and a write replaces a value in place,
// appends a missing key at the end of its section and a missing section at the end of the file.
// The text is CP932 with CR LF line ends; saving replaces the file atomically.
//
// Every line is kept as the bytes it was read as: only the lines setValue() writes are encoded, so a
// line of the user's own, even one that is not valid CP932, is saved back byte for byte.
class ProfileFile {
public:
    static constexpr int MaxValueLength = 1023;
    // Settings and design files are a few kilobytes; a file beyond this is refused before it is read.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    enum class ValueStatus {
        Missing,  // no such section or key
        Valid,    // the value is CP932 text
        NotCp932, // the value's bytes are not valid CP932, or the file was written as UTF-8
    };

    ProfileFile() = default;
    explicit ProfileFile(const QString &path);

    // Reads the file at path(). A missing file gives an empty profile; returns false (with error set)
    // when the file exists but cannot be read: a folder, FIFO or device, a file over MaxFileBytes, or
    // one without read permission.
    bool load(AppError *error = nullptr);
    // Replaces the content with the given bytes (CP932), as load() would read them.
    void setBytes(const QByteArray &bytes);
    // Writes the whole profile to path() atomically.
    bool save(AppError *error = nullptr) const;
    QByteArray toBytes(AppError *error = nullptr) const;

    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    bool existsOnDisk() const;

    // status, when given, tells whether the text returned can be trusted: a value whose bytes are not
    // CP932 reads as whatever the decoder made of them, and the caller should use its default instead.
    QString value(const QString &section, const QString &key, ValueStatus *status = nullptr) const;
    ValueStatus valueStatus(const QString &section, const QString &key) const;
    bool hasKey(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    // The value is cut at its first NUL and folded onto one line, as the classic routine writes it.
    void setValue(const QString &section, const QString &key, const QString &value);

    // The lines as text, without line ends (bytes that are not CP932 decoded as the codec does).
    QStringList lines() const;
    // The lines as they will be saved, without line ends.
    QList<QByteArray> rawLines() const;
    // True when the file reads as UTF-8 rather than CP932 (a byte-order mark, or multi-byte UTF-8
    // sequences and nothing that is not UTF-8): its non-ASCII values are then NotCp932.
    bool looksLikeUtf8() const { return m_utf8; }

private:
    struct Line {
        QByteArray bytes;
        QString text;
        bool unencodable = false; // written by setValue() with a character CP932 cannot hold
    };
    struct Found {
        qsizetype sectionLine = -1; // index of the "[name]" line
        qsizetype sectionEnd = -1;  // one past the last line belonging to the section
        qsizetype keyLine = -1;
    };
    Found find(const QString &section, const QString &key) const;
    static Line textLine(const QString &text);

    QString m_path;
    QList<Line> m_lines;
    bool m_utf8 = false;
};

// One-shot helpers: load, read or write one key, save.
QString readProfileString(const QString &path, const QString &section, const QString &key);
bool writeProfileString(const QString &path, const QString &section, const QString &key, const QString &value,
                        AppError *error = nullptr);

} // namespace platform

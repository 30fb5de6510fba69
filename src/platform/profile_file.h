#pragma once

#include "platform/apperror.h"

#include <QString>
#include <QStringList>

namespace platform {

// An INI text file with the semantics of the classic profile functions: section and key names are
// case-insensitive, a read gives the trimmed value (at most 1023 characters) or the empty text for a
// missing file, section or key, and a write replaces a value in place, appends a missing key at the
// end of its section and a missing section at the end of the file, keeping every other line as it was.
// The text is CP932 with CR LF line ends; saving replaces the file atomically.
class ProfileFile {
public:
    static constexpr int MaxValueLength = 1023;

    ProfileFile() = default;
    explicit ProfileFile(const QString &path);

    // Reads the file at path(). A missing file gives an empty profile; returns false (with error set)
    // only when the file exists but cannot be read.
    bool load(AppError *error = nullptr);
    // Replaces the content with the given bytes (CP932), as load() would read them.
    void setBytes(const QByteArray &bytes);
    // Writes the whole profile to path() atomically.
    bool save(AppError *error = nullptr) const;
    QByteArray toBytes(AppError *error = nullptr) const;

    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    bool existsOnDisk() const;

    QString value(const QString &section, const QString &key) const;
    bool hasKey(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    void setValue(const QString &section, const QString &key, const QString &value);

    const QStringList &lines() const { return m_lines; }

private:
    struct Found {
        qsizetype sectionLine = -1; // index of the "[name]" line
        qsizetype sectionEnd = -1;  // one past the last line belonging to the section
        qsizetype keyLine = -1;
    };
    Found find(const QString &section, const QString &key) const;

    QString m_path;
    QStringList m_lines;
};

// One-shot helpers: load, read or write one key, save.
QString readProfileString(const QString &path, const QString &section, const QString &key);
bool writeProfileString(const QString &path, const QString &section, const QString &key, const QString &value,
                        AppError *error = nullptr);

} // namespace platform

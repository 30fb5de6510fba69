#pragma once

#include "common/design_keys.h"

#include <QList>
#include <QString>

#include <array>
#include <variant>

namespace common {

// The fields of one record, each bound to the key it is stored under. A record binds its fields
// once (its bindFields); the settings file and the design files then read and write a key's field
// through the table, each in its own order and with its own checks, without naming the field again.
class FieldTable {
public:
    using Field = std::variant<QString *, bool *, int *>;

    void bind(const StoredKey &key, QString &field) { add(key, &field); }
    void bind(const StoredKey &key, bool &field) { add(key, &field); }
    void bind(const StoredKey &key, int &field) { add(key, &field); }
    template <class T, std::size_t N> void bind(const std::array<StoredKey, N> &keys, std::array<T, N> &fields)
    {
        for (std::size_t i = 0; i < N; ++i)
            bind(keys[i], fields[i]);
    }

    // The key's field; a key the record does not hold is a programming error.
    Field field(const StoredKey &key) const;
    bool holds(const StoredKey &key) const;
    // The keys bound, in the order they were bound.
    QList<const StoredKey *> keys() const;

    // The field as its key stores it: a flag as 1 or 0, a number in digits, a text as it is.
    QString text(const StoredKey &key) const;
    // The field as a number: a flag 1 or 0, a text converted (0 when it is not a number).
    int number(const StoredKey &key) const;

    // Sets the field from a value of either form: a text sets a flag when it is "1" and a number
    // when it is one (else 0); a number sets a flag when it is 1 and a text as its digits.
    void set(const StoredKey &key, const QString &value);
    void set(const StoredKey &key, int value);
    void set(const StoredKey &key, bool value) { set(key, int(value)); }

private:
    void add(const StoredKey &key, Field field);

    struct Entry {
        const StoredKey *key;
        Field field;
    };
    QList<Entry> m_entries;
};

} // namespace common

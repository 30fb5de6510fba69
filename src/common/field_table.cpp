#include "common/field_table.h"

namespace common {

namespace {

// Keys are compared by section and name: a maker's key table may hold copies of shared keys.
bool sameKey(const StoredKey &a, const StoredKey &b)
{
    return qstrcmp(a.section, b.section) == 0 && qstrcmp(a.key, b.key) == 0;
}

template <class... F> struct Overloaded : F... {
    using F::operator()...;
};
template <class... F> Overloaded(F...) -> Overloaded<F...>;

} // namespace

void FieldTable::add(const StoredKey &key, Field field)
{
    Q_ASSERT_X(!holds(key), "FieldTable::bind", "a key bound twice");
    m_entries.append({&key, field});
}

bool FieldTable::holds(const StoredKey &key) const
{
    for (const Entry &e : m_entries) {
        if (sameKey(*e.key, key))
            return true;
    }
    return false;
}

QList<const StoredKey *> FieldTable::keys() const
{
    QList<const StoredKey *> list;
    for (const Entry &e : m_entries)
        list << e.key;
    return list;
}

FieldTable::Field FieldTable::field(const StoredKey &key) const
{
    for (const Entry &e : m_entries) {
        if (sameKey(*e.key, key))
            return e.field;
    }
    qFatal("FieldTable: [%s] %s is not bound", key.section, key.key);
}

QString FieldTable::text(const StoredKey &key) const
{
    return std::visit(Overloaded{[](const QString *s) { return *s; },
                                 [](const bool *b) { return *b ? QStringLiteral("1") : QStringLiteral("0"); },
                                 [](const int *n) { return QString::number(*n); }},
                      field(key));
}

int FieldTable::number(const StoredKey &key) const
{
    return std::visit(Overloaded{[](const QString *s) { return s->toInt(); }, [](const bool *b) { return int(*b); },
                                 [](const int *n) { return *n; }},
                      field(key));
}

void FieldTable::set(const StoredKey &key, const QString &value)
{
    std::visit(Overloaded{[&](QString *s) { *s = value; }, [&](bool *b) { *b = value == QLatin1String("1"); },
                          [&](int *n) { *n = value.toInt(); }},
               field(key));
}

void FieldTable::set(const StoredKey &key, int value)
{
    std::visit(Overloaded{[&](QString *s) { *s = QString::number(value); }, [&](bool *b) { *b = value == 1; },
                          [&](int *n) { *n = value; }},
               field(key));
}

} // namespace common

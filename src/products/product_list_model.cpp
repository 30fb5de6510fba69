#include "products/product_list_model.h"

#include "platform/numbers.h"

#include <algorithm>

namespace products {

namespace {

// The list shows prices "#,##0"; anything that is not a whole number is shown as it stands.
QString displayPrice(const QString &plain)
{
    bool ok = false;
    const qlonglong v = plain.toLongLong(&ok);
    return ok ? platform::formatThousands(v) : plain;
}

QString plainPrice(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char(','));
    return t;
}

} // namespace

ProductListModel::ProductListModel(QObject *parent) : QAbstractTableModel(parent) {}

int ProductListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ProductListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProductListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const Row &r = m_rows[size_t(index.row())];
    if (role == Qt::CheckStateRole && index.column() == Number)
        return r.product.checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && index.column() == Price)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == ReducedRole)
        return r.product.reduced;
    if (role == Qt::AccessibleDescriptionRole && index.column() == GoodName && r.product.reduced)
        return reducedDescription();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case Number:
        return platform::formatPlain(r.number);
    case GoodNum:
        return r.product.code;
    case GoodName:
        return r.product.name;
    case Price:
        return displayPrice(r.product.price);
    case Alt:
        return r.product.remarks;
    case JanCode:
        return r.product.jan;
    default:
        return {};
    }
}

bool ProductListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return false;
    if (role == Qt::CheckStateRole && index.column() == Number) {
        setChecked(index.row(), value.toInt() == Qt::Checked);
        return true;
    }
    if (role != Qt::EditRole)
        return false;
    Product p = m_rows[size_t(index.row())].product;
    const QString t = value.toString();
    switch (index.column()) {
    case GoodNum:
        p.code = t;
        break;
    case GoodName:
        p.name = t;
        break;
    case Price:
        p.price = plainPrice(t);
        break;
    case Alt:
        p.remarks = t;
        break;
    case JanCode:
        p.jan = t;
        break;
    default:
        return false;
    }
    replaceProduct(index.row(), p);
    return true;
}

Qt::ItemFlags ProductListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Number)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ProductListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole && section == Price)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Number:
        return QStringLiteral("No.");
    case GoodNum:
        return QStringLiteral("品番等");
    case GoodName:
        return QStringLiteral("商品名");
    case Price:
        return priceHeader(m_indicate);
    case Alt:
        return QStringLiteral("備考");
    case JanCode:
        return QStringLiteral("JANコード");
    default:
        return {};
    }
}

bool ProductListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section != Price || (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    const QString caption = value.toString();
    if (caption == priceHeader(1))
        setPriceBasis(1);
    else if (caption == priceHeader(0))
        setPriceBasis(0);
    else
        return false;
    return true;
}

QString ProductListModel::reducedMark()
{
    return QStringLiteral("※");
}

QString ProductListModel::reducedDescription()
{
    return QStringLiteral("軽減税率");
}

QString ProductListModel::priceHeader(int indicate)
{
    return indicate == 1 ? QStringLiteral("税込価格") : QStringLiteral("本体価格");
}

void ProductListModel::setPriceBasis(int indicate)
{
    if (indicate == m_indicate)
        return;
    m_indicate = indicate;
    Q_EMIT headerDataChanged(Qt::Horizontal, Price, Price);
}

void ProductListModel::setRows(const ProductList &rows)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(size_t(rows.size()));
    m_checked = 0;
    int n = 0;
    for (const Product &p : rows) {
        Row r{p, ++n};
        r.product.price = plainPrice(p.price);
        if (r.product.checked)
            ++m_checked;
        m_rows.push_back(std::move(r));
    }
    endResetModel();
    Q_EMIT checksChanged();
}

void ProductListModel::clear()
{
    setRows({});
}

ProductList ProductListModel::rows() const
{
    ProductList out;
    out.reserve(qsizetype(m_rows.size()));
    for (const Row &r : m_rows)
        out.append(r.product);
    return out;
}

ProductList ProductListModel::rowsForMakers() const
{
    ProductList out;
    out.reserve(m_checked > 0 ? m_checked : qsizetype(m_rows.size()));
    for (const Row &r : m_rows) {
        if (m_checked == 0 || r.product.checked)
            out.append(r.product);
    }
    return out;
}

Product ProductListModel::product(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].product : Product{};
}

int ProductListModel::number(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].number : 0;
}

void ProductListModel::replaceProduct(int row, const Product &p)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    Product &dst = m_rows[size_t(row)].product;
    const bool checked = dst.checked;
    dst = p;
    dst.checked = checked;
    dst.price = plainPrice(p.price);
    Q_EMIT dataChanged(index(row, GoodNum), index(row, JanCode));
}

void ProductListModel::appendProduct(const Product &p)
{
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row);
    Row r{p, row + 1};
    r.product.price = plainPrice(p.price);
    if (r.product.checked)
        ++m_checked;
    m_rows.push_back(std::move(r));
    endInsertRows();
    if (p.checked)
        Q_EMIT checksChanged();
}

void ProductListModel::removeProduct(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    beginRemoveRows({}, row, row);
    const bool checked = m_rows[size_t(row)].product.checked;
    if (checked)
        --m_checked;
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    if (checked)
        Q_EMIT checksChanged();
}

void ProductListModel::setNumbers()
{
    int n = 0;
    for (Row &r : m_rows)
        r.number = ++n;
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, Number), index(int(m_rows.size()) - 1, Number), {Qt::DisplayRole});
}

void ProductListModel::reorderRows(const QList<int> &newIndex)
{
    if (newIndex.size() != qsizetype(m_rows.size()))
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Row> sorted(m_rows.size());
    for (qsizetype old = 0; old < newIndex.size(); ++old)
        sorted[size_t(newIndex.at(old))] = std::move(m_rows[size_t(old)]);
    m_rows = std::move(sorted);
    int n = 0;
    for (Row &r : m_rows)
        r.number = ++n;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &i : from)
        to.append(i.row() < newIndex.size() ? index(newIndex.at(i.row()), i.column()) : QModelIndex());
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ProductListModel::updateRows(const ProductList &rows)
{
    if (rows.size() != qsizetype(m_rows.size()) || m_rows.empty())
        return;
    int checked = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        Product &dst = m_rows[size_t(i)].product;
        dst = rows.at(i);
        dst.price = plainPrice(dst.price);
        if (dst.checked)
            ++checked;
    }
    const bool checksMoved = checked != m_checked;
    m_checked = checked;
    Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
    if (checksMoved)
        Q_EMIT checksChanged();
}

void ProductListModel::swapProducts(int a, int b)
{
    const int n = int(m_rows.size());
    if (a < 0 || b < 0 || a >= n || b >= n || a == b)
        return;
    std::swap(m_rows[size_t(a)].product, m_rows[size_t(b)].product);
    Q_EMIT dataChanged(index(std::min(a, b), 0), index(std::max(a, b), ColumnCount - 1));
}

void ProductListModel::setAllChecked(bool on)
{
    if (m_rows.empty())
        return;
    for (Row &r : m_rows)
        r.product.checked = on;
    m_checked = on ? int(m_rows.size()) : 0;
    Q_EMIT dataChanged(index(0, Number), index(int(m_rows.size()) - 1, Number), {Qt::CheckStateRole});
    Q_EMIT checksChanged();
}

bool ProductListModel::isChecked(int row) const
{
    return row >= 0 && row < int(m_rows.size()) && m_rows[size_t(row)].product.checked;
}

void ProductListModel::setChecked(int row, bool on)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    bool &c = m_rows[size_t(row)].product.checked;
    if (c == on)
        return;
    c = on;
    m_checked += on ? 1 : -1;
    const QModelIndex i = index(row, Number);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
    Q_EMIT checksChanged();
}

int ProductListModel::outputCount() const
{
    return m_checked > 0 ? m_checked : int(m_rows.size());
}

QString ProductListModel::outputCountText() const
{
    return QStringLiteral("出力件数: ") + platform::formatPlain(outputCount());
}

QString ProductListModel::noOutputCountText()
{
    return QStringLiteral("出力件数: (なし)");
}

} // namespace products

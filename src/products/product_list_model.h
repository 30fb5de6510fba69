#pragma once

#include "products/product.h"

#include <QAbstractTableModel>

#include <vector>

namespace products {

// The product list: the one store of the rows, shown by the main window's list view. Column 0
// carries the row number and the output check; the price column's header follows the price basis.
class ProductListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number = 0, GoodNum, GoodName, Price, Alt, JanCode, ColumnCount };
    // The tax class of the row (true: the reduced rate), on every column. The list view marks the
    // name of such a row; its texts stay as the file holds them.
    static constexpr int ReducedRole = Qt::UserRole + 1;
    // The mark the list view puts after the name of a reduced-rate row, and what it says to assistive
    // technology.
    static QString reducedMark();
    static QString reducedDescription();

    explicit ProductListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The price column's caption may be set as "本体価格" or "税込価格", which sets the price basis.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;

    // Price basis ([Tax] Indicate): 0 the column holds base prices "本体価格", 1 "税込価格".
    void setPriceBasis(int indicate);
    int priceBasis() const { return m_indicate; }
    static QString priceHeader(int indicate);

    // Bulk operations: one model reset, no per-row signals. Rows are numbered 1, 2, 3, ...
    void setRows(const ProductList &rows);
    void clear();
    ProductList rows() const;
    // The reading contract of the makers: checked rows in list order if any row is checked,
    // otherwise every row; prices as plain digits.
    ProductList rowsForMakers() const;

    Product product(int row) const;
    int number(int row) const;
    // Replaces the texts of a row, keeping its number and output check.
    void replaceProduct(int row, const Product &p);
    // Appends a row numbered row count + 1.
    void appendProduct(const Product &p);
    void removeProduct(int row);
    // Renumbers column 0 as 1, 2, 3, ... in list order.
    void setNumbers();
    // The rows in a new order (newIndex[old] = new position) and renumbered 1, 2, 3, ...: one layout
    // change, so selections and column widths stay with the view.
    void reorderRows(const QList<int> &newIndex);
    // New texts and checks for every row at once (same row count, numbers kept): one dataChanged.
    void updateRows(const ProductList &rows);
    // Exchanges the texts and output checks of two rows; their numbers stay in place.
    void swapProducts(int a, int b);
    // Sets or clears every output check with one change signal.
    void setAllChecked(bool on);

    bool isChecked(int row) const;
    void setChecked(int row, bool on);
    int checkedCount() const { return m_checked; }
    // Rows the makers would use: the checked ones, or all when none is checked.
    int outputCount() const;

    // Status bar panel 1: "出力件数: " + count, and the text of a new list.
    QString outputCountText() const;
    static QString noOutputCountText();

Q_SIGNALS:
    // The output checks changed (by the user or by a command); the status bar count follows.
    void checksChanged();

private:
    struct Row {
        Product product;
        int number = 0;
    };
    std::vector<Row> m_rows;
    int m_checked = 0;
    int m_indicate = 0;
};

} // namespace products

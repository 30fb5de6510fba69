#pragma once

#include "label_stocks/catalogue.h"
#include "label_stocks/chosen_stock.h"

#include <QGroupBox>

class QLineEdit;
class QListWidget;

namespace dialogs {

// The designers' 用紙 choice: a search box (brand and part number, "Hisago ELM012") over the template
// catalogue and a list of its stocks (label size, labels per sheet, paper) headed by "(指定なし)", the
// free layout. The window shows its design's stock with setStock and reads it back with stock(); a
// choice by the user is told by stockChosen, for the window to fill its division and card size.
class StockChoice : public QGroupBox {
    Q_OBJECT
public:
    explicit StockChoice(QWidget *parent = nullptr, label_stocks::Catalogue catalogue = label_stocks::loadCatalogue());

    label_stocks::ChosenStock stock() const { return stock_; }
    // Shows the stock without telling stockChosen; a stock the catalogue lacks is listed by its
    // stored name and geometry.
    void setStock(const label_stocks::ChosenStock &stock);

    QLineEdit *searchBox() const { return search_; }
    QListWidget *list() const { return list_; }

    static QString noStockText(); // "(指定なし)"

Q_SIGNALS:
    void stockChosen(const label_stocks::ChosenStock &stock);

private:
    void fill();
    void rowChosen(int row);

    label_stocks::Catalogue catalogue_;
    label_stocks::ChosenStock stock_;
    QList<label_stocks::ChosenStock> shown_; // the stocks of the list's rows after the first
    QLineEdit *search_ = nullptr;
    QListWidget *list_ = nullptr;
    bool filling_ = false;
};

} // namespace dialogs

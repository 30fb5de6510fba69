#include "dialogs/stock_choice_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace dialogs {

namespace {

QString storedSummary(const label_stocks::ChosenStock &s)
{
    return QStringLiteral("%1  %2 × %3 mm  %4 面 (%5 × %6)  (保存された寸法)")
        .arg(s.key, label_stocks::mmText(s.labelWidthMm), label_stocks::mmText(s.labelHeightMm))
        .arg(s.count())
        .arg(s.columns)
        .arg(s.rows);
}

} // namespace

StockChoice::StockChoice(QWidget *parent, label_stocks::Catalogue catalogue)
    : QGroupBox(QStringLiteral("用紙"), parent), catalogue_(std::move(catalogue))
{
    setObjectName(QStringLiteral("Frame用紙"));
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(QStringLiteral("用紙の検索(&U):"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("txt用紙検索"));
    search_->setAccessibleName(QStringLiteral("用紙の検索:"));
    search_->setPlaceholderText(QStringLiteral("メーカー名と品番 (例: Hisago ELM012)"));
    search_->setClearButtonEnabled(true);
    caption->setBuddy(search_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lst用紙"));
    list_->setAccessibleName(QStringLiteral("用紙"));
    list_->setMinimumHeight(90);
    layout->addWidget(caption);
    layout->addWidget(search_);
    layout->addWidget(list_);
    connect(search_, &QLineEdit::textChanged, this, [this] { fill(); });
    connect(list_, &QListWidget::currentRowChanged, this, &StockChoice::rowChosen);
    fill();
}

QString StockChoice::noStockText()
{
    return QStringLiteral("(指定なし)");
}

void StockChoice::setStock(const label_stocks::ChosenStock &stock)
{
    stock_ = stock;
    fill();
}

// The list for the search text, the current stock selected (and listed even when the search or the
// catalogue leaves it out).
void StockChoice::fill()
{
    filling_ = true;
    list_->clear();
    shown_.clear();
    list_->addItem(noStockText());
    int current = 0;
    for (const label_stocks::LabelStock *s : catalogue_.search(search_->text())) {
        shown_ << label_stocks::chosenStock(*s);
        list_->addItem(s->summary());
        if (stock_.isSet() && shown_.last() == stock_)
            current = int(shown_.size());
    }
    if (stock_.isSet() && current == 0) {
        shown_ << stock_;
        list_->addItem(storedSummary(stock_));
        current = int(shown_.size());
    }
    list_->setCurrentRow(current);
    filling_ = false;
}

void StockChoice::rowChosen(int row)
{
    if (filling_ || row < 0)
        return;
    stock_ = row == 0 ? label_stocks::ChosenStock{} : shown_.value(row - 1);
    Q_EMIT stockChosen(stock_);
}

} // namespace dialogs

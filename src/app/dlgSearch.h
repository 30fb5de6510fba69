#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class dlgSearch;
}

namespace products {

// The modeless find dialog. It only holds the text; the main window searches its list when asked
// and tells whether the search ran off the end.
class dlgSearch : public QDialog {
    Q_OBJECT
public:
    // Each returns the search-ended flag after searching for the given text.
    using Search = std::function<bool(const QString &text)>;

    dlgSearch(Search findNext, Search findRev, QWidget *parent = nullptr);
    ~dlgSearch() override;

    QString findText() const;

Q_SIGNALS:
    // Emitted whenever the dialog closes, by 閉じる or the close box.
    void closed();

protected:
    void done(int result) override;

private:
    void textChanged(const QString &text);
    void runFind(bool forward);

    std::unique_ptr<Ui::dlgSearch> ui;
    Search m_findNext;
    Search m_findRev;
};

} // namespace products

#pragma once
// The brand-portfolio dialog made on the decisions page over the sample, with
// team A's North and a market of the test's choice, and what its tests do in
// it: click a grid row, a list item, read a row's cells and the stored arrays.

#include <QLineEdit>
#include <QListWidget>
#include <memory>
#include <string>

#include "decisions/portfolio/brand_portfolio_dialog.h"
#include "tests/decisions/page/decision_page_fixture.h"

namespace cv::test {

class PortfolioTest : public DecisionPageTest {
protected:
    // Opens the sample and makes the dialog for the North and Market.
    void Open(int market = 1);
    QWidget* ShownWindow() override { return dialog ? static_cast<QWidget*>(dialog.get()) : &Main(); }

    TPortfolioGrid& Grid(const char* name) { return Child<TPortfolioGrid>(*dialog, name); }
    void ClickRow(const char* grid, int row);
    void Click(const char* button);
    bool Enabled(const char* button);
    // The cells of Brand's row in the marketed grid ("" cells when none).
    TGridRow Marketed(const std::string& brand);

    // The decision set of the decision period for the dialog's zone and market.
    TSimArr& Stored(const char* name);
    std::string StoredBrand(int row);

    TDataContext context;
    std::unique_ptr<TFoBFolio> dialog;
};

// Clicks the item Text of List.
void ClickItem(QListWidget& list, const char* text);
void Press(QWidget& window, const char* button);
// Types Text into the free positions of a brand name, over what they held.
void TypeName(QLineEdit& field, const char* text);

}  // namespace cv::test

#include "tests/decisions/portfolio/portfolio_fixture.h"

#include <QPushButton>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"

namespace cv::test {

void PortfolioTest::Open(int market) {
    ShowPage(sample::TSampleDecisions::Complete);
    context = page->Data;
    context.SelFta = 1;
    context.SelMarket = static_cast<std::int16_t>(market);
    dialog = std::make_unique<TFoBFolio>(page, context);
}

void PortfolioTest::ClickRow(const char* grid, int row) {
    TPortfolioGrid& shown = Grid(grid);
    QTest::mouseClick(shown.viewport(), Qt::LeftButton, {}, shown.visualRect(shown.model()->index(row, 0)).center());
}

void PortfolioTest::Click(const char* button) { QTest::mouseClick(&Child<QPushButton>(*dialog, button), Qt::LeftButton); }

bool PortfolioTest::Enabled(const char* button) { return Child<QPushButton>(*dialog, button).isEnabled(); }

TGridRow PortfolioTest::Marketed(const std::string& brand) {
    TPortfolioGrid& grid = Grid("SGMktBrd");
    const int row = grid.FindRow(brand);
    return row < 0 ? TGridRow{} : grid.Row(row);
}

TSimArr& PortfolioTest::Stored(const char* name) {
    TCvInd& industry = *Session->Industry();
    return *industry.PerDecisions(industry.DecPeriod()).FindSimArr(kCategoryFirmFtaMarket, context, name);
}

std::string PortfolioTest::StoredBrand(int row) { return Stored("DecBrdPort").GetZts({row, si::BrdName}); }

void ClickItem(QListWidget& list, const char* text) {
    const QList<QListWidgetItem*> found = list.findItems(QString::fromLatin1(text), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found.front()).center());
}

void Press(QWidget& window, const char* button) {
    QTest::mouseClick(&Child<QPushButton>(window, button), Qt::LeftButton);
}

void TypeName(QLineEdit& field, const char* text) {
    field.setFocus();
    field.setCursorPosition(0);
    QTest::keyClicks(&field, QString::fromLatin1(text));
}

}  // namespace cv::test

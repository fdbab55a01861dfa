#include "tests/graphs/design_dialogs/design_dialog_fixture.h"

#include <QApplication>

#include "core/store/series_index.h"

namespace cv::test {

DesignDialogTest::DesignDialogTest() : GroupPageTest(si::rcAnalysisCateg) { Main().ShowPage(page); }

TDataContext DesignDialogTest::MarketContext(int market, int firm) const {
    TDataContext context = page->Data;
    context.SelMarket = static_cast<std::int16_t>(market);
    context.SelFirm = static_cast<std::int16_t>(firm);
    return context;
}

int DesignDialogTest::BrandPosition(int market, int brand, int scale, std::int8_t element) const {
    const TSimArr* positions =
        Session->Industry()->PerResults(3).FindSimArr(kCategoryFtaMarket, MarketContext(market), "PosSemBrds");
    EXPECT_NE(positions, nullptr);
    return positions ? positions->GetSmallint({brand, scale, element}) : 0;
}

std::string DesignDialogTest::Text(QWidget& dialog, const char* name) {
    if (auto* field = dialog.findChild<QLineEdit*>(name)) return field->text().toStdString();
    return Child<QLabel>(dialog, name).text().toStdString();
}

void DesignDialogTest::Type(QWidget& dialog, const char* name, const QString& text) {
    auto& field = Child<TQNEdit>(dialog, name);
    field.setText(text);
    emit field.editingFinished();
}

std::vector<std::string> DesignDialogTest::TakeBoxes() {
    std::vector<std::string> keys = BoxKeys(root.ui);
    root.ui.messageBoxes.clear();
    return keys;
}

}  // namespace cv::test

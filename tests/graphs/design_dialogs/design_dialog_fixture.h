#pragma once
// The design dialogs on the sample industry in the started program: team A
// (firm 1) in zone North at period 3, where market M1 markets nine brands on
// five physical dimensions and price, and M2 two brands on three and price.

#include <QLabel>
#include <string>

#include "core/store/data_context.h"
#include "graphs/page/graph_page.h"
#include "tests/reports/support/group_page_fixture.h"
#include "tests/ui/support/window_test.h"
#include "ui/fields/qn_edit.h"

namespace cv::test {

class DesignDialogTest : public GroupPageTest<TFoGraph> {
protected:
    DesignDialogTest();
    // The tests save the screenshots of their dialogs themselves.
    QWidget* ShownWindow() override { return nullptr; }
    // The graphs page's context on Market (and Firm).
    TDataContext MarketContext(int market, int firm = 1) const;
    // "PosSemBrds"[Brand, Scale, Element] of period 3 in Market.
    int BrandPosition(int market, int brand, int scale, std::int8_t element) const;
    // The text of the label or field Name of Dialog.
    static std::string Text(QWidget& dialog, const char* name);
    // Types Text into the number field Name and leaves it, as the user does.
    static void Type(QWidget& dialog, const char* name, const QString& text);
    // The keys of the boxes shown since the last call, then forgotten.
    std::vector<std::string> TakeBoxes();
};

}  // namespace cv::test

#pragma once
// A group page (results, newsletter) added to the started program on the
// sample industry, with the helpers its tests share: restricting an item of
// the page's restriction category, choosing a menu item and reading the
// remembered one.

#include <QAction>
#include <cstdint>
#include <string>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "tests/reports/support/results_fixture.h"

namespace cv::test {

template <class Page>
class GroupPageTest : public ResultsTest {
protected:
    // RestrictionCategory: the element of the page's category in the
    // restriction words (an entry of the series-index table).
    explicit GroupPageTest(const std::int8_t& restrictionCategory) : category_(restrictionCategory) {
        page = new Page(Main(), Main().PageArea());
        Main().AddPage(page);
        Main().RefreshAll();
    }
    // The page stays in the main window to the end.
    QWidget* ShownWindow() override { return &Main(); }
    // Sets the bit of the category's Item in "RestrictEnabled" or "RestrictHidden".
    void Restrict(const char* arrayName, std::int8_t item) {
        TSimArr* words = Session->Industry()->ConstPart().GetSimArr(kCategoryIndustry, TDataContext{}, arrayName);
        ASSERT_NE(words, nullptr);
        words->SetWord({category_}, words->GetWord({category_}) | (1u << (item - 1)));
    }
    void Choose(const char* name) { page->Item(name)->trigger(); }
    std::string Remembered() const {
        QAction* item = page->RememberedItem();
        return item ? item->objectName().toStdString() : std::string();
    }

    Page* page = nullptr;

private:
    const std::int8_t& category_;
};

}  // namespace cv::test

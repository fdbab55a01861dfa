#include "tests/decisions/plan/plan_dialog_fixture.h"

#include "core/store/series_index.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {

void PlanDialogTest::SetUp() {
    ShowPage(sample::TSampleDecisions::Complete);
    ASSERT_EQ(page->LastReview().ErrorCount, 0);
    page->RegisterDialog(TDecisionArea::MarketingPlan, [this](QWidget* owner, TDataContext& context, TMixMemory&) {
        auto dialog = std::make_unique<TFoMktPlan>(owner, context, [this](TSession& session) {
            ++runs;
            if (failForecast) return TForecastOutcome{false, "the model stopped", {}};
            return RunPlanForecast(session);
        });
        dialog->OnBeep = [this] { ++beeps; };
        return dialog;
    });
}

void PlanDialogTest::WithDialog(const std::function<void(TFoMktPlan&)>& steps) {
    WhenModalShown inspect([&steps](QWidget& window) { steps(static_cast<TFoMktPlan&>(window)); });
    page->OpenArea(TDecisionArea::MarketingPlan);
    EXPECT_TRUE(inspect.Ran());
}

TBrandTabBar& PlanDialogTest::Tabs(TFoMktPlan& dialog) { return Child<TBrandTabBar>(dialog, "TSMktPlan"); }

TMktPlanScr& PlanDialogTest::Plan(TFoMktPlan& dialog) {
    EXPECT_NE(dialog.PlanScreen(), nullptr);
    return *dialog.PlanScreen();
}

TQNSheet& PlanDialogTest::Sheet(TFoMktPlan& dialog) { return dialog.Screen()->Table()->Sheet(); }

int PlanDialogTest::GoToTab(TFoMktPlan& dialog, int tab) {
    Tabs(dialog).setCurrentIndex(tab);
    return Tabs(dialog).currentIndex();
}

void PlanDialogTest::Type(TFoMktPlan& dialog, const std::string& text) {
    TQNSheet& sheet = Sheet(dialog);
    QTest::keyClicks(&sheet, QString::fromStdString(text));
    QTest::keyClick(&sheet, Qt::Key_Return);
}

double PlanDialogTest::Cell(TFoMktPlan& dialog, int row, int column) {
    return dialog.Screen()->Table()->CellNumber(row, column);
}

void PlanDialogTest::SetElement(TSimArr& array, const TIndex& index, long long value) {
    switch (array.Kind()) {
        case dkByte: array.SetByte(index, value); break;
        case dkSmallint: array.SetSmallint(index, value); break;
        case dkWord: array.SetWord(index, value); break;
        default: array.SetReal48(index, value); break;
    }
}

TDataContext PlanDialogTest::PlanContext(int market) const {
    TDataContext context = page->Data;
    context.SelFta = 1;
    context.SelMarket = static_cast<std::int16_t>(market);
    return context;
}

TSimArr& PlanDialogTest::PlanArray(const char* name, int market) const {
    TCvInd& industry = *Session->Industry();
    TSimArr* array =
        industry.PerDecisions(industry.DecPeriod()).FindSimArr(kCategoryFirmFtaMarket, PlanContext(market), name);
    EXPECT_NE(array, nullptr) << name;
    return *array;
}

}  // namespace cv::test

#include "tests/decisions/mix/mix_fixture.h"

#include <QPushButton>

#include "core/base/numbers.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"

namespace cv::test {

void MixTest::ShowSample(sample::TSampleDecisions decisions) {
    ShowPage({decisions, sample::TSampleRestrictions::None});
    page->RegisterDialog(TDecisionArea::MarketingMix, CreateMarketingMix);
}

void MixTest::OpenMix(const std::function<void(TFoMktMix&)>& inspect, const std::string& shot) {
    WhenModalShown shown(
        [&inspect](QWidget& window) {
            auto* dialog = qobject_cast<TFoMktMix*>(&window);
            ASSERT_NE(dialog, nullptr) << window.objectName().toStdString();
            inspect(*dialog);
        },
        shot);
    QTest::mouseClick(&Child<QPushButton>(*page, "BBBrdMMix"), Qt::LeftButton);
    EXPECT_TRUE(shown.Ran());
}

TSimArr& MixTest::Array(const char* name, int market, int fta, bool decided) {
    TCvInd& industry = *Session->Industry();
    TDataContext context = page->Data;
    context.SelFta = static_cast<std::int16_t>(fta);
    context.SelMarket = static_cast<std::int16_t>(market);
    TSimArr* array = industry.PerDecisions(decided ? industry.DecPeriod() : industry.CurPeriod())
                         .FindSimArr(kCategoryFirmFtaMarket, context, name);
    EXPECT_NE(array, nullptr) << name;
    return *array;
}

void MixTest::Restrict(const char* array, const char* item) {
    TCvInd& industry = *Session->Industry();
    const TSeries* categories = industry.FindSeries("RestrictCateg");
    const TSeries* items = industry.FindSeries("rcDecisions");
    TSimArr* words = industry.ConstPart().FindSimArr(kCategoryIndustry, TDataContext{}, array);
    ASSERT_TRUE(categories && items && words);
    const std::int16_t word = categories->IndexOf("rcDecisions");
    words->SetWord({word}, SetWordBit(words->GetWord({word}), items->IndexOf(item)));
}

void MixTest::Type(TQNEdit& field, const QString& text) {
    // Entering the field ends the edit of the one before, as a click would.
    field.setFocus(Qt::MouseFocusReason);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClicks(&field, text);
}

TQNEdit& MixTest::Field(TFoMktMix& dialog, const char* name) { return Child<TQNEdit>(dialog, name); }

std::string MixTest::LastBoxKey() const {
    return root.ui.messageBoxes.empty() ? std::string() : root.ui.messageBoxes.back().key;
}

std::vector<int> MixTest::LastBoxLines() const {
    return root.ui.messageBoxes.empty() ? std::vector<int>{} : root.ui.messageBoxes.back().lines;
}

}  // namespace cv::test

#include "tests/reports/studies/study_fixture.h"

#include <gtest/gtest.h>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"

namespace cv::test {

StudyTest::StudyTest() = default;

StudyTest::~StudyTest() {
    if (Session) Session->SetAdminView(false);
}

std::unique_ptr<TStuMkt> StudyTest::MarketScreen(int screen, const TDataContext& context, const TScreenLayout& layout) {
    return TCVScreen::Create<TStuMkt>(owner.get(), context, screen, layout);
}

std::unique_ptr<TStuFta> StudyTest::ZoneScreen(int screen, const TDataContext& context, const TScreenLayout& layout) {
    return TCVScreen::Create<TStuFta>(owner.get(), context, screen, layout);
}

TCvPerData& StudyTest::Results(const TDataContext& context) const {
    return Session->Industry()->PerResults(context.CurPeriod);
}

TCvPerData& StudyTest::Decisions(const TDataContext& context) const {
    return Session->Industry()->PerDecisions(context.DecPeriod);
}

void StudyTest::SetMarketedBrands(const TDataContext& context, int brands) {
    TSimValue count;
    count.changed = 1;
    count.kind = dkSmallint;
    count.integer = brands;
    Results(context).SetScalar(kCategoryFtaMarket, context, "NbMktedBrds", count);
}

void StudyTest::BuyStudy(const TDataContext& context, const char* series, const char* study, bool bought) {
    const bool market = std::string(series) == "StuMkt";
    TSimArr* orders = Decisions(context).FindSimArr(market ? kCategoryFirmFtaMarket : kCategoryFirmFta, context,
                                                    market ? "DecStuMkt" : "DecStuFta");
    ASSERT_NE(orders, nullptr);
    const TSeries* studies = Session->Industry()->SeriesList().FindSeries(series);
    ASSERT_NE(studies, nullptr);
    orders->SetByte({studies->IndexOf(study)}, bought ? 1 : 0);
}

void StudyTest::BuyEveryStudy(const TDataContext& context, bool bought) {
    const TSeries* studies = Session->Industry()->SeriesList().FindSeries("StuMkt");
    ASSERT_NE(studies, nullptr);
    for (const std::string& study : studies->Labels()) BuyStudy(context, "StuMkt", study.c_str(), bought);
}

TSimArr& StudyTest::PlaceArray(const TDataContext& context, int category, const char* name,
                               std::initializer_list<int> bounds, std::uint8_t kind) {
    TIndex lo, hi;
    int d = 0;
    for (int bound : bounds) {
        lo.Set(d, 1);
        hi.Set(d++, bound);
    }
    auto shaped = std::make_unique<TSimArr>();
    shaped->Init(kind, 0, d, lo, hi);
    TCvPerData& results = Results(context);
    if (TSimArr* existing = results.FindSimArr(category, context, name)) {
        existing->Assign(*shaped);
        return *existing;
    }
    return results.AddSimArr(category, context, name, std::move(shaped));
}

std::string StudyTest::InfosLine(const TStudies& screen) {
    const TQNTable* table = screen.Table();
    if (!table || table->Sheet().TableName() != "StuInfos") return "";
    return CellText(*table, table->OriginRow() + 1, 1);
}

std::string StudyTest::StudyText(const char* key, int line) { return Translator->GetLine(kSectionStudies, key, line); }

}  // namespace cv::test

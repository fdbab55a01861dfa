#pragma once
// The sample industry open for the study screens of team A, with the means to
// set a cell's study data by hand: a brand count, a study bought or not, a
// real array of a chosen shape (made anew in place of the sample's).

#include <memory>
#include <string>

#include "reports/studies/studies.h"
#include "tests/reports/support/results_fixture.h"

namespace cv::test {

class StudyTest : public ResultsTest {
protected:
    StudyTest();
    ~StudyTest() override;

    std::unique_ptr<TStuMkt> MarketScreen(int screen, const TDataContext& context,
                                          const TScreenLayout& layout = kWindowLayout);
    std::unique_ptr<TStuMkt> MarketScreen(int screen) { return MarketScreen(screen, Context()); }
    std::unique_ptr<TStuFta> ZoneScreen(int screen, const TDataContext& context,
                                        const TScreenLayout& layout = kWindowLayout);

    TCvPerData& Results(const TDataContext& context) const;
    TCvPerData& Decisions(const TDataContext& context) const;
    // "NbMktedBrds" of the context's zone and market (category 7) becomes Brands.
    void SetMarketedBrands(const TDataContext& context, int brands);
    // Every market study of the context's firm, zone and market bought (or not).
    void BuyEveryStudy(const TDataContext& context, bool bought);
    void BuyStudy(const TDataContext& context, const char* series, const char* study, bool bought);
    // A real array Name of the results cell (Category) of Context, dimensions
    // sized Bounds (each from 1), all zero: the sample's array of that name is replaced.
    TSimArr& PlaceArray(const TDataContext& context, int category, const char* name, std::initializer_list<int> bounds,
                        std::uint8_t kind = dkReal48);
    // The explanation line a screen shows instead of its table ("" when it shows its table).
    static std::string InfosLine(const TStudies& screen);
    // Line N of the studies section's entry Key, as the language file holds it.
    static std::string StudyText(const char* key, int line);
};

}  // namespace cv::test

// Experiments: what the firm's own marketed brands would have achieved with
// more advertising (18: awareness and market share by segment) or a larger
// sales force (19: distribution and market share by channel).
#include <algorithm>

#include "core/base/numbers.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"

namespace cv {
namespace {

constexpr int kBrandColumns = 5;

}  // namespace

void TStuMkt::BuildExperiment() {
    const bool advertising = screen_ == 18;
    const std::vector<int> titles = IsDocument() ? std::vector<int>{2} : std::vector<int>{1, 2};
    if (!Open(advertising ? "StuExpAdv" : "StuExpSlf", advertising ? "StuExpAdv" : "StuExpSlf", TTableType::BandedRows, titles)) return;
    const TDimension elements = advertising ? Segments(true) : Channels();
    const int n = elements.count;
    Define({.titleRows = 1, .bodyRows = 2 * (n + 1) + 1, .totalRows = 3, .headingCols = 4, .bodyCols = kBrandColumns});
    TQNTable& table = *table_;

    // The firm's own marketed brands, at most five, by their index in the market.
    const int ownBrands = std::min(ResultsCount(kCategoryFirmFtaMarket, "NbMktedBrds"), kBrandColumns);
    const TSimArr& links = RequiredResultsArray(kCategoryFirmFtaMarket, "FFMLinks");
    const TSimArr* names = ResultsArray(kCategoryFtaMarket, "BrdNames");
    const TSimArr* byElement = ResultsArray(kCategoryFtaMarket, advertising ? "StuBrdAdvTestSeg" : "StuBrdSlfTestCha");
    const TSimArr* overall = ResultsArray(kCategoryFtaMarket, advertising ? "StuBrdAdvTest" : "StuBrdSlfTest");
    const int firstKind = advertising ? si::StuAdvAwa : si::StuSlfDist;
    const int secondKind = advertising ? si::StuAdvMS : si::StuSlfMS;

    const int secondBlock = n + 2, overallRow = 2 * (n + 1) + 1;
    table.SetCellText(BodyRow(1), 1, GetLine(3));
    table.SetCellText(BodyRow(secondBlock), 1, GetLine(4));
    table.SetCellText(BodyRow(overallRow), 1, GetLine(5));
    for (int row : {1, secondBlock, overallRow}) Emphasise(BodyRow(row));
    for (int row : {secondBlock, overallRow}) table.SetRangeBorderTop(BodyRow(row), 1, BodyRow(row), LastColumn(), 1, 0);
    for (int i = 1; i <= n; ++i) {
        table.SetCellText(BodyRow(1 + i), 2, elements.labels[static_cast<std::size_t>(i - 1)]);
        table.SetCellText(BodyRow(secondBlock + i), 2, elements.labels[static_cast<std::size_t>(i - 1)]);
    }
    for (int b = 1; b <= ownBrands; ++b) {
        const int brand = static_cast<int>(Value(&links, {b, si::Mbix})), column = 4 + b;
        table.SetCellText(TitleRow(), column, ArrayText(names, {brand}));
        for (int i = 1; i <= n; ++i) {
            const int element = elements.lo + i - 1;
            table.SetCellNumber(BodyRow(1 + i), column, Value(byElement, {brand, element, firstKind}) / 1000);
            table.SetCellNumber(BodyRow(secondBlock + i), column, Value(byElement, {brand, element, secondKind}) / 1000);
        }
        table.SetCellNumber(BodyRow(overallRow), column, Value(overall, {brand}) / 1000);
    }

    // The experiment's size: the advertising's extra percent, or the extra salespeople.
    const int size = advertising
                         ? static_cast<int>(RoundHalfEven((ConstantReal(kCategoryIndustry, "AdvExpCoef", 1.2) - 1) * 100))
                         : static_cast<int>(RoundHalfEven(ConstantReal(kCategoryIndustry, "SlfExpCoef", 10)));
    for (int f = 1; f <= 3; ++f)
        table.SetCellText(FooterRow(f), 1, ReplaceTokenInt(GetLine(5 + f), "@1", size));
    table.SetRangeStdFont(FooterRow(1), 1, 3, LastColumn(), IsDocument() ? 2 : 1);
    FinishTable(TNumberFormat::Percent, 1, overallRow);
    empty_ = ownBrands == 0;
}

}  // namespace cv

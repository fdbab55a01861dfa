#include "reports/newsletter/news_screen.h"

#include "core/session/industry.h"
#include "core/store/series_index.h"

namespace cv {
namespace {

constexpr char kUnknownPageText[] = "Unknown newsletter screen ";

}  // namespace

TNewsScr::TNewsScr(QWidget* owner, const TDataContext& context, int page, const TScreenLayout& layout)
    : TNews(owner, context, layout), page_(page) {}

void TNewsScr::Build(const TDataContext& context) {
    TCVScreen::Build(context);
    if (const TCvInd* industry = Industry()) {
        // A salary paid in the zone's money of a period: the reference amount 1 converted with its inflation.
        const auto salaryIndex = [&](int period) {
            return static_cast<double>(
                industry->ConvertToFta(period, context_.SelFta, true, 1.0L, si::Salaries));
        };
        salaryIndexNow_ = salaryIndex(context_.CurPeriod);
        salaryIndexNext_ = salaryIndex(context_.CurPeriod + 1);
    }
    switch (page_) {
    case kStockMarket: BuildStockMarket(); break;
    case kEconomicVariables: BuildEconomicVariables(); break;
    case kStudyPrices: BuildStudyPrices(); break;
    case kBrandCharacteristics: BuildBrandCharacteristics(); break;
    case kBrandSales: BuildBrandSales(); break;
    case kScoreCard: BuildScoreCard(); break;
    default: ReportUnknownKind(kUnknownPageText, page_); return;
    }
    Present();
}

}  // namespace cv

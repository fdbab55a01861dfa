// The market-level study screens: which study a screen belongs to, whether it
// may be shown, the dispatch to the builders, and what the builders share (the
// opening of a build, the dimension columns and the brand block).
#include <algorithm>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/stats/cv_interf.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"

namespace cv {
namespace {

constexpr int kWideColumnsBelow = 4;
constexpr int kBrandRows = 31;  // a dimension of fewer elements gives each two columns

// The study of each screen 1..25.
const char* StudyOfScreen(int screen) {
    static constexpr const char* kStudies[] = {
        "ConsumerSurvey", "ConsumerSurvey", "ConsumerSurvey", "ConsumerPanel",  "DistributPanel",
        "SemanticScales", "SemanticScales", "SemanticScales", "SemanticScales", "PerceptualMap",
        "PerceptualMap",  "PerceptualMap",  "PerceptualMap",  "PerceptualMap",  "MarketForecast",
        "CompetitiveAdv", "CompetitiveSlf", "ExperimentAdv",  "ExperimentSlf",  "DistributPanel",
        "SemanticScales", "PerceptualMap",  "Conjoint",       "Conjoint",       "Conjoint"};
    return screen >= 1 && screen <= static_cast<int>(std::size(kStudies)) ? kStudies[screen - 1] : "";
}

}  // namespace

TStuMkt::TStuMkt(QWidget* owner, const TDataContext& context, int screen, const TScreenLayout& layout)
    : TStudies(owner, context, screen, layout) {
    SetStudyName();
}

void TStuMkt::SetStudyName() {
    studyKey_ = StudyOfScreen(screen_);
    const TCvInd* industry = Industry();
    const TSeries* studies = industry ? industry->SeriesList().FindSeries("StuMkt") : nullptr;
    studyIndex_ = studies ? studies->IndexOf(studyKey_.substr(0, 255)) : kLabelAbsent;
}

bool TStuMkt::IsAllowed() const { return !Restricted("StuMkt"); }

bool TStuMkt::NotApplicable() const {
    const int brands = MarketedBrands();
    const double minimum = ConstantReal(kCategoryIndustry, "MinBrdForMap", 3.0);
    if (brands == 0) return screen_ != 6 && screen_ != 15;
    static constexpr int kMapScreens[] = {10, 11, 12, 13, 14, 22};
    return brands < minimum && std::ranges::find(kMapScreens, screen_) != std::end(kMapScreens);
}

bool TStuMkt::IsOrdered() const { return Bought(kCategoryFirmFtaMarket, "DecStuMkt"); }

int TStuMkt::MarketedBrands() const { return ResultsCount(kCategoryFtaMarket, "NbMktedBrds"); }

int TStuMkt::ShownSegment() const {
    const TSeries* segments = Industry()->SegSeries(context_.SelFta, context_.SelMarket);
    if (!segments) return context_.SelSegment;
    return context_.SelSegment >= segments->Lo() && context_.SelSegment <= segments->Hi() ? context_.SelSegment
                                                                                           : segments->Lo();
}

int TStuMkt::BrandRows() const { return std::max(kBrandRows, MarketedBrands()); }

void TStuMkt::WriteBrandHeading(int firmLine, int brandLine, const TDimension& dimension, int tail) {
    TQNTable& table = *table_;
    table.SetCellText(TitleRow(), 1, GetLine(firmLine));
    table.SetCellText(TitleRow(), 2, GetLine(brandLine));
    for (int i = 1; i <= dimension.count; ++i)
        table.SetCellText(TitleRow(), dimension.Column(shape_.headingCols, i), dimension.labels[static_cast<std::size_t>(i - 1)]);
    if (tail > 0) table.SetCellText(TitleRow(), tail, MiscLabels()[0]);
}

void TStuMkt::Build(const TDataContext& context) {
    TResult::Build(context);
    TCvInterf query;
    query_ = &query;
    switch (screen_) {
    case 1: case 2: BuildAwareness(); break;
    case 3: BuildShoppingHabits(); break;
    case 4: case 5: BuildUnitShares(); break;
    case 6: case 10: BuildIdealPoints(); break;
    case 7: case 9: case 11: case 12: BuildBrandPositions(); break;
    case 8: BuildSemanticEstimation(); break;
    case 13: BuildMapRegression(); break;
    case 14: BuildMapInfluence(); break;
    case 15: BuildMarketForecast(); break;
    case 16: case 17: BuildCompetitiveIntelligence(); break;
    case 18: case 19: BuildExperiment(); break;
    case 20: BuildDistributionCoverage(); break;
    case 21: case 22: BuildIdealPointHistory(); break;
    case 23: BuildConjointWeights(); break;
    case 24: case 25: BuildConjointUtilities(); break;
    default: ReportUnknownKind("Unknown market level study screen ", screen_);
    }
    query_ = nullptr;
    Present();
}

bool TStuMkt::Open(const std::string& section, const std::string& tableName, TTableType windowType,
                   const std::vector<int>& titleLines, const std::vector<int>& noteLines) {
    LoadLines(kSectionStudies, section);
    // A table that the explanation replaced is made anew for the screen.
    if (table_ && table_->Sheet().TableName() != tableName) table_.reset();
    TQNTable& table = EnsureTable(windowType, tableName);
    FillTable(table, titleLines, noteLines, 0, 0, 0, -1);
    const int status = GetStatus();
    if (status == ssShown) return true;
    WriteNotShown(status, true);
    return false;
}

TStuMkt::TDimension TStuMkt::Spread(const TSeries* series, const std::function<std::string(int element)>& label) {
    TDimension dimension;
    dimension.lo = series ? series->Lo() : 1;
    for (int e = dimension.lo; series && e <= series->Hi(); ++e) dimension.labels.push_back(label(e));
    dimension.count = static_cast<int>(dimension.labels.size());
    dimension.width = dimension.count < kWideColumnsBelow ? 2 : 1;
    return dimension;
}

TStuMkt::TDimension TStuMkt::Segments(bool shortLabels) const {
    const TCvInd& industry = *Industry();
    const int fta = context_.SelFta, market = context_.SelMarket;
    return Spread(industry.SegSeries(fta, market), [&](int e) {
        return shortLabels ? industry.SegmentShortLabel(fta, market, e) : industry.SegmentLabel(fta, market, e);
    });
}

TStuMkt::TDimension TStuMkt::Channels() const {
    const TCvInd& industry = *Industry();
    return Spread(industry.ChaSeries(context_.SelFta), [&](int e) { return industry.ChannelLabel(context_.SelFta, e); });
}

TStuMkt::TDimension TStuMkt::SemanticScales() const {
    const TCvInd& industry = *Industry();
    return Spread(industry.SemSeries(context_.SelMarket), [&](int e) { return industry.SemLabel(context_.SelMarket, e); });
}

TStuMkt::TDimension TStuMkt::MapDimensions() const {
    const TCvInd& industry = *Industry();
    return Spread(industry.MapSeries(context_.SelMarket), [&](int e) { return industry.MapLabel(context_.SelMarket, e); });
}

int TStuMkt::WriteBrandBlock(const std::function<void(int row, int brand)>& write, const TFirmCloser& closeFirm) {
    TQNTable& table = *table_;
    const TCvInd& industry = *Industry();
    const int brands = MarketedBrands();
    const TSimArr* names = ResultsArray(kCategoryFtaMarket, "BrdNames");
    int row = BodyRow(1);
    for (int firm = 1; firm <= industry.NbFirms(); ++firm) {
        const int firstRow = row;
        bool firstOfFirm = true;
        for (int brand = 1; brand <= brands; ++brand) {
            int owner = 0, firmBrand = 0;
            query_->BrandLinks(*currentResults_, context_, brand, owner, firmBrand);
            if (owner != firm) continue;
            if (firstOfFirm) table.SetCellText(row, 1, industry.FirmLabel(firm));
            firstOfFirm = false;
            table.SetCellText(row, 2, ArrayText(names, {brand}));
            write(row, brand);
            ++row;
        }
        if (closeFirm) row = closeFirm(firstRow, row);
        // Firms are separated by a line, also after one without brands.
        table.SetRangeBorderTop(row, 1, row, LastColumn(), 1, 0);
    }
    empty_ = brands == 0;
    return row;
}

}  // namespace cv

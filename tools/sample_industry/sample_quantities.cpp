#include "tools/sample_industry/sample_quantities.h"

#include <stdexcept>
#include <string>

#include "core/store/industry_file.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

using enum TSampleSet;
using enum TSampleForm;

// The quantities in writing order. "CumInflation" follows "Economics" and
// "DeflatFacs", from which it is accumulated.
constexpr TSampleQuantity kQuantities[] = {
    // The series of the cells (positions in the series list).
    {"PerSeries", Constant, kCategoryIndustry, Scalar, WriteSeriesPosition},
    {"FirSeries", Constant, kCategoryIndustry, Scalar, WriteSeriesPosition},
    {"FtaSeries", Constant, kCategoryIndustry, Scalar, WriteSeriesPosition},
    {"MktSeries", Constant, kCategoryIndustry, Scalar, WriteSeriesPosition},
    {"ChaSeries", Constant, kCategoryFta, Scalar, WriteSeriesPosition},
    {"DimSeries", Constant, kCategoryMarket, Scalar, WriteSeriesPosition},
    {"SemSeries", Constant, kCategoryMarket, Scalar, WriteSeriesPosition},
    {"MapSeries", Constant, kCategoryMarket, Scalar, WriteSeriesPosition},
    {"SegSeries", Constant, kCategoryFtaMarket, Scalar, WriteSeriesPosition},
    // The team, its password, and the instructor's restrictions.
    {"WhichTeam", Constant, kCategoryIndustry, Scalar, WriteHomeFirm},
    {"TeamPwdVal", Constant, kCategoryFirm, Scalar, WriteTeamPassword},
    {"TeamPwdKey", Constant, kCategoryFirm, Scalar, WriteTeamPasswordKey},
    {"RestrictEnabled", Constant, kCategoryIndustry, Array, WriteRestrictions},
    {"RestrictHidden", Constant, kCategoryIndustry, Array, WriteRestrictions},
    // Economics of each zone.
    {"Economics", Constant, kCategoryFta, Array, WriteEconomics},
    {"DeflatFacs", Constant, kCategoryFta, Array, WriteDeflatorFactors},
    {"CumInflation", Constant, kCategoryFta, Array, WriteCumulatedInflation},
    // Marketed brands of each period and their links.
    {"NbMktedBrds", Results, kCategoryFtaMarket, Scalar, WriteMarketBrandCount},
    {"BrdNames", Results, kCategoryFtaMarket, Array, WriteMarketBrandNames},
    {"XFMLinks", Results, kCategoryFtaMarket, Array, WriteMarketBrandLinks},
    {"MktAge", Results, kCategoryFtaMarket, Scalar, WriteMarketAge},
    {"NbMktedBrds", Results, kCategoryFirmFtaMarket, Scalar, WriteFirmBrandCount},
    {"FirMktedBrds", Results, kCategoryFirmFtaMarket, Array, WriteFirmBrandNames},
    {"FirMktedPros", Results, kCategoryFirmFtaMarket, Array, WriteFirmBrandPrototypes},
    {"FFMLinks", Results, kCategoryFirmFtaMarket, Array, WriteFirmBrandLinks},
    {"NbPros", Results, kCategoryFirmMarket, Scalar, WritePrototypeCount},
    {"ProNames", Results, kCategoryFirmMarket, Array, WritePrototypeNames},
    // Where the studies place the brands, and the firms' brand reports.
    {"PosSemBrds", Results, kCategoryFtaMarket, Array, WriteSemanticPositions},
    {"PosMapBrds", Results, kCategoryFtaMarket, Array, WriteMapPositions},
    {"BrdRpt", Results, kCategoryFirmFtaMarket, Array, WriteBrandReports},
    // The firms' market reports and cumulative brand results, from the brand reports of every market.
    {"FFMRpt", Results, kCategoryFirmFtaMarket, Array, WriteFirmMarketReport},
    {"BrdCumNames", Results, kCategoryFirmFtaMarket, Array, WriteCumulativeBrandNames},
    {"BrdCumRes", Results, kCategoryFirmFtaMarket, Array, WriteCumulativeBrandResults},
    // The stock behind the brand reports, and the base unit cost of each market brand.
    {"Inventory", Results, kCategoryFirmFtaMarket, Array, WriteInventoryLayers},
    {"BrdTransfCost", Results, kCategoryFtaMarket, Array, WriteTransferCosts},
    // What the preference model starts from: the scales and their map weights, the
    // segments' ideal points, and the segment sales and scale ends of every period.
    {"SemPosPars", Constant, kCategoryMarket, Array, WriteScaleParameters},
    {"SemToMap", Constant, kCategoryMarket, Array, WriteSemanticToMap},
    {"IniPosIP", Constant, kCategoryFtaMarket, Array, WriteIdealPointStart},
    {"MvtPosIP", Constant, kCategoryFtaMarket, Array, WriteIdealPointDrift},
    {"MaxSegSize", Constant, kCategoryFtaMarket, Array, WriteMaxSegmentSizes},
    {"SegSales", Results, kCategoryFtaMarket, Array, WriteSegmentSales},
    {"SemScales", Results, kCategoryFtaMarket, Array, WriteScaleEnds},
    {"PosSemIPs", Results, kCategoryFtaMarket, Array, WriteIdealPoints},
    // Brand decisions of each period.
    {"NbMktedBrds", Decisions, kCategoryFirmFtaMarket, Scalar, WriteFirmBrandCount},
    {"DecBrdPort", Decisions, kCategoryFirmFtaMarket, Array, WriteBrandPortfolioDecisions},
    {"DecBrdCV3", Decisions, kCategoryFirmFtaMarket, Array, WriteBrandMixDecisions},
    {"MPBrdChaSales", Decisions, kCategoryFirmFtaMarket, Array, WriteChannelShares},
    {"SegStrat", Decisions, kCategoryFirmFtaMarket, Array, WriteSegmentTargets},
    {"MPBrdSegSales", Decisions, kCategoryFirmFtaMarket, Array, WriteSegmentPlans},
    // Sales forces: costs per salesperson, sizes per channel, and their shares per brand (which
    // follow "NbMktedBrds" of the decisions of every market).
    {"SlpBaseCost", Constant, kCategoryFta, Scalar, WriteSalespersonCost},
    {"SlpHireCost", Constant, kCategoryFta, Scalar, WriteSalespersonCost},
    {"SlpFireCost", Constant, kCategoryFta, Scalar, WriteSalespersonCost},
    {"SlfSize", Decisions, kCategoryFirmFta, Array, WriteSalesForceSizes},
    {"SlfAlloc", Decisions, kCategoryFirmFtaMarket, Array, WriteSalesForceAllocation},
    // Distribution: the channels' terms, and the market brands' past shares and coverage.
    {"ChannelPars", Constant, kCategoryFtaMarket, Array, WriteChannelParameters},
    {"BrdPastMSU", Results, kCategoryFtaMarket, Array, WritePastMarketShares},
    {"DisCovIdxs", Results, kCategoryFtaMarket, Array, WriteCoverage},
    // Budgets, studies, R&D projects and loans.
    {"FFXRpt", Results, kCategoryFirmFta, Array, WriteFirmZoneReport},
    {"StuFtaParams", Constant, kCategoryFta, Array, WriteZoneStudyPrices},
    {"StuMktParams", Constant, kCategoryFtaMarket, Array, WriteMarketStudyPrices},
    {"DecStuFta", Decisions, kCategoryFirmFta, Array, WriteZoneStudyOrders},
    {"DecStuMkt", Decisions, kCategoryFirmFtaMarket, Array, WriteMarketStudyOrders},
    {"NbPrjs", Decisions, kCategoryFirmMarket, Scalar, WriteProjectCount},
    {"PrjNames", Decisions, kCategoryFirmMarket, Array, WriteProjectNames},
    {"PrjFins", Decisions, kCategoryFirmMarket, Array, WriteProjectFinances},
    {"LoanVal", Decisions, kCategoryFirm, Array, WriteLoanRequest},
    {"LoanAck", Decisions, kCategoryFirm, Scalar, WriteLoanAcknowledgement},
    {"BgtChgAck", Decisions, kCategoryFirm, Scalar, WriteLoanAcknowledgement},
    {"LoansHist", Results, kCategoryFirm, Array, WriteLoanHistory},
    // R&D: home zones, cost tables and parameters of each market, the levels and
    // finances of the prototypes, the levels of the projects, and the contracts.
    {"HomeFta", Constant, kCategoryFirm, Scalar, WriteHomeZone},
    {"Technical", Constant, kCategoryMarket, Array, WriteTechnical},
    {"UCParams", Constant, kCategoryMarket, Array, WriteUnitCostParameters},
    {"MinRnDBgtRatio", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"MinRnDBgt", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"MaxRnDBgt", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"MinRUC", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"MaxRUC", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"MinUCOverEst", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"MaxUCOverEst", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"MinDBOverEst", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"MaxDBOverEst", Constant, kCategoryMarket, Scalar, WriteRnDParameter},
    {"ProTecs", Results, kCategoryFirmMarket, Array, WritePrototypeLevels},
    {"ProFins", Results, kCategoryFirmMarket, Array, WritePrototypeFinances},
    {"PrjTecs", Decisions, kCategoryFirmMarket, Array, WriteProjectLevels},
    {"NbCcts", Decisions, kCategoryFirmFta, Scalar, WriteContractCount},
    {"CctWhat", Decisions, kCategoryFirmFta, Array, WriteContractSubjects},
    {"CctTerms", Decisions, kCategoryFirmFta, Array, WriteContractTerms},
};

std::vector<std::int16_t> IndexRange(int first, int last) {
    std::vector<std::int16_t> periods;
    for (int period = first; period <= last; ++period) periods.push_back(static_cast<std::int16_t>(period));
    return periods;
}

// The indexes 1..Count when the category distinguishes the dimension, else only 0.
std::vector<std::int16_t> Indexes(bool distinguished, int count) {
    return distinguished ? IndexRange(1, count) : std::vector<std::int16_t>{0};
}

}  // namespace

std::span<const TSampleQuantity> SampleQuantities() { return kQuantities; }

std::vector<std::int16_t> SamplePeriods(TSampleSet set) {
    switch (set) {
        case Constant: return {kCurrentPeriod};
        case Results: return IndexRange(cv::kFirstResultPeriod, kLastSampleResultPeriod);
        case Decisions: return IndexRange(cv::kFirstDecisionPeriod, kLastSampleDecisionPeriod);
    }
    throw std::logic_error("sample industry: unknown set kind");
}

std::vector<TCellIndex> SampleCells(int category) {
    // Probe which dimensions the category distinguishes: CalcIndices copies them from the context.
    TDataContext probe;
    probe.SelFirm = probe.SelFta = probe.SelMarket = 1;
    const TCellIndex selects = CalcIndices(category, probe);
    std::vector<TCellIndex> cells;
    for (std::int16_t firm : Indexes(selects.firm != 0, kFirmCount))
        for (std::int16_t zone : Indexes(selects.zone != 0, kZoneCount))
            for (std::int16_t market : Indexes(selects.market != 0, kMarketCount))
                cells.push_back(TCellIndex{firm, zone, market});
    return cells;
}

TDataContext SampleContext(std::int16_t period, const TCellIndex& cell) {
    TDataContext context;
    context.SelPeriod = period;
    context.CurPeriod = kCurrentPeriod;
    context.DecPeriod = kDecisionPeriod;
    context.SelFirm = cell.firm;
    context.SelFta = cell.zone;
    context.SelMarket = cell.market;
    return context;
}

TCvPerData& SampleSet(TCvData& industry, TSampleSet set, std::int16_t period) {
    switch (set) {
        case Constant: return industry.ConstPart();
        case Results: return industry.PerResults(period);
        case Decisions: return industry.PerDecisions(period);
    }
    throw std::logic_error("sample industry: unknown set kind");
}

void WriteSampleQuantities(TCvData& industry) {
    for (const TSampleQuantity& quantity : kQuantities)
        for (std::int16_t period : SamplePeriods(quantity.set)) {
            TCvPerData& set = SampleSet(industry, quantity.set, period);
            for (const TCellIndex& cell : SampleCells(quantity.category))
                quantity.write(
                    TSampleCell{industry, set, quantity.category, SampleContext(period, cell), cell},
                    quantity.name);
        }
}

}  // namespace cv::sample

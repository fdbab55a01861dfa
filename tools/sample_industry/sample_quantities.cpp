#include "tools/sample_industry/sample_quantities.h"

#include <stdexcept>
#include <string>

#include "core/store/industry_file.h"
#include "tools/sample_industry/sample_brand_coverage.h"
#include "tools/sample_industry/sample_firm_reports.h"
#include "tools/sample_industry/sample_forecasts.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

using enum TSampleSet;
using enum TSampleForm;
using enum TSampleMaker;

// The quantities in writing order within each set. "CumInflation" follows
// "Economics" and "DeflatFacs", from which it is accumulated; a writer that
// reads another quantity of its set follows it.
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
    // What the preference model starts from: the scales and their map weights, the
    // segments' ideal points and maximum sizes.
    {"SemPosPars", Constant, kCategoryMarket, Array, WriteScaleParameters},
    {"SemToMap", Constant, kCategoryMarket, Array, WriteSemanticToMap},
    {"IniPosIP", Constant, kCategoryFtaMarket, Array, WriteIdealPointStart},
    {"MvtPosIP", Constant, kCategoryFtaMarket, Array, WriteIdealPointDrift},
    {"MaxSegSize", Constant, kCategoryFtaMarket, Array, WriteMaxSegmentSizes},
    {"SegGrowth", Constant, kCategoryFtaMarket, Array, WriteSegmentGrowth},
    // Sales forces: costs per salesperson; distribution: the channels' terms; production.
    {"SlpBaseCost", Constant, kCategoryFta, Scalar, WriteSalespersonCost},
    {"SlpHireCost", Constant, kCategoryFta, Scalar, WriteSalespersonCost},
    {"SlpFireCost", Constant, kCategoryFta, Scalar, WriteSalespersonCost},
    {"ChannelPars", Constant, kCategoryFtaMarket, Array, WriteChannelParameters},
    {"MaxPriVar1", Constant, kCategoryFtaMarket, Scalar, WriteCheckParameter},
    {"ExpEffReduc", Constant, kCategoryFtaMarket, Scalar, WriteCheckParameter},
    {"ExpEffMult", Constant, kCategoryFtaMarket, Scalar, WriteCheckParameter},
    {"ExpEffBatch", Constant, kCategoryFtaMarket, Scalar, WriteCheckParameter},
    {"AdjustProdPlan", Constant, kCategoryFtaMarket, Scalar, WriteCheckParameter},
    {"IHCCoef", Constant, kCategoryFtaMarket, Scalar, WriteInventoryCoefficient},
    {"ISCCoef", Constant, kCategoryFtaMarket, Scalar, WriteInventoryCoefficient},
    // Study prices; R&D: home zones, cost tables and parameters of each market.
    {"StuFtaParams", Constant, kCategoryFta, Array, WriteZoneStudyPrices},
    {"StuMktParams", Constant, kCategoryFtaMarket, Array, WriteMarketStudyPrices},
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
    {"RnDNbQueries", Constant, kCategoryIndustry, Scalar, WriteRnDParameter},

    // Results of the history period: marketed brands and their links, prototypes.
    {"NbMktedBrds", Results, kCategoryFtaMarket, Scalar, WriteMarketBrandCount, History},
    {"BrdNames", Results, kCategoryFtaMarket, Array, WriteMarketBrandNames, History},
    {"XFMLinks", Results, kCategoryFtaMarket, Array, WriteMarketBrandLinks, History},
    {"MktAge", Results, kCategoryFtaMarket, Scalar, WriteMarketAge, History},
    {"NbMktedBrds", Results, kCategoryFirmFtaMarket, Scalar, WriteFirmBrandCount, History},
    {"FirMktedBrds", Results, kCategoryFirmFtaMarket, Array, WriteFirmBrandNames, History},
    {"FirMktedPros", Results, kCategoryFirmFtaMarket, Array, WriteFirmBrandPrototypes, History},
    {"FFMLinks", Results, kCategoryFirmFtaMarket, Array, WriteFirmBrandLinks, History},
    {"NbPros", Results, kCategoryFirmMarket, Scalar, WritePrototypeCount, History},
    {"ProNames", Results, kCategoryFirmMarket, Array, WritePrototypeNames, History},
    {"ProTecs", Results, kCategoryFirmMarket, Array, WritePrototypeLevels, History},
    {"ProFins", Results, kCategoryFirmMarket, Array, WritePrototypeFinances, History},
    // ... the segment sales, the scales, the ideal points and the brands' attributes ...
    {"SegSales", Results, kCategoryFtaMarket, Array, WriteSegmentSales, History},
    {"SemScales", Results, kCategoryFtaMarket, Array, WriteScaleEnds, History},
    {"PosSemIPs", Results, kCategoryFtaMarket, Array, WriteIdealPoints, History},
    {"PosSemBrds", Results, kCategoryFtaMarket, Array, WriteSemanticPositions, History},
    // ... the brand reports with their stock, base unit costs and past shares, the
    // firms' market reports and cumulative brand results ...
    {"BrdRpt", Results, kCategoryFirmFtaMarket, Array, WriteBrandReports, History},
    {"FFMRpt", Results, kCategoryFirmFtaMarket, Array, WriteFirmMarketReport, History},
    {"BrdCumNames", Results, kCategoryFirmFtaMarket, Array, WriteCumulativeBrandNames, History},
    {"BrdCumRes", Results, kCategoryFirmFtaMarket, Array, WriteCumulativeBrandResults, History},
    {"Inventory", Results, kCategoryFirmFtaMarket, Array, WriteInventoryLayers, History},
    {"BrdTransfCost", Results, kCategoryFtaMarket, Array, WriteTransferCosts, History},
    {"BrdPastMSU", Results, kCategoryFtaMarket, Array, WritePastMarketShares, History},
    // ... and the zone reports and loan histories.
    {"FFXRpt", Results, kCategoryFirmFta, Array, WriteFirmZoneReport, History},
    {"LoansHist", Results, kCategoryFirm, Array, WriteLoanHistory, History},
    // What the forecasts leave to the instructor's simulation: the prototypes
    // finished for the coming launches, the ideal points after attraction, the
    // segment shares, and in every period the studies' positions and the coverage.
    {"ProNames", Results, kCategoryFirmMarket, Array, WriteFinishedPrototypes, Completion},
    {"PosSemIPs", Results, kCategoryFtaMarket, Array, WriteAttractedIdealPoints, Completion},
    {"PosMapIPs", Results, kCategoryFtaMarket, Array, WriteAttractedIdealPoints, Completion},
    {"BrdPastMSU", Results, kCategoryFtaMarket, Array, WriteSegmentShares, Completion},
    {"XFXRes", Results, kCategoryFta, Array, WriteChannelOutlets, Completion},
    {"BrdNDis", Results, kCategoryFirmFtaMarket, Array, WriteBrandDistributors, Completion},
    {"PosSemBrds", Results, kCategoryFtaMarket, Array, WritePerceivedPositions},
    {"PosMapBrds", Results, kCategoryFtaMarket, Array, WriteMapPositions},
    {"DisCovIdxs", Results, kCategoryFtaMarket, Array, WriteCoverage},
    {"MsgAdm2All", Results, kCategoryFta, Array, WriteMessageToAll, Completion},
    {"MsgAdm2Fir", Results, kCategoryFirmFta, Array, WriteMessageToFirm, Completion},
    {"FFXRpt", Results, kCategoryFirmFta, Array, WriteStockMarket, Completion},
    // The market studies of the period, from its sales, distributors and decisions.
    {"StuBrdSegUMS", Results, kCategoryFtaMarket, Array, WriteSegmentUnitShares, Completion},
    {"StuBrdChaUMS", Results, kCategoryFtaMarket, Array, WriteChannelUnitShares, Completion},
    {"StuBrdAvgUMS", Results, kCategoryFtaMarket, Array, WriteAverageUnitShares, Completion},
    {"StuBrdSegVMS", Results, kCategoryFtaMarket, Array, WriteSegmentValueShares, Completion},
    {"StuBrdChaVMS", Results, kCategoryFtaMarket, Array, WriteChannelValueShares, Completion},
    {"StuBrdAvgVMS", Results, kCategoryFtaMarket, Array, WriteAverageValueShares, Completion},
    {"StuBrdSegAwa", Results, kCategoryFtaMarket, Array, WriteAwareness, Completion},
    {"StuBrdAvgAwa", Results, kCategoryFtaMarket, Array, WriteAwareness, Completion},
    {"StuBrdSegPI", Results, kCategoryFtaMarket, Array, WritePurchaseIntentions, Completion},
    {"StuBrdAvgPI", Results, kCategoryFtaMarket, Array, WritePurchaseIntentions, Completion},
    {"StuByingHabits", Results, kCategoryFtaMarket, Array, WriteBuyingHabits, Completion},
    {"MostRecentStuBH", Results, kCategoryFirmFtaMarket, Array, WriteMostRecentBuyingHabits, Completion},
    {"SegSizes", Results, kCategoryFtaMarket, Array, WriteSegmentSizes, Completion},
    {"StuDistrCov", Results, kCategoryFtaMarket, Array, WriteDistributionCoverage, Completion},
    {"StuBrdAdv", Results, kCategoryFtaMarket, Array, WriteCompetitorAdvertising, Completion},
    {"StuBrdSlf", Results, kCategoryFtaMarket, Array, WriteCompetitorSalesForce, Completion},
    {"StuBrdAdvTestSeg", Results, kCategoryFtaMarket, Array, WriteAdvertisingExperiment, Completion},
    {"StuBrdAdvTest", Results, kCategoryFtaMarket, Array, WriteAdvertisingExperiment, Completion},
    {"StuBrdSlfTestCha", Results, kCategoryFtaMarket, Array, WriteSalesForceExperiment, Completion},
    {"StuBrdSlfTest", Results, kCategoryFtaMarket, Array, WriteSalesForceExperiment, Completion},
    {"StuCjaWeights", Results, kCategoryFtaMarket, Array, WriteConjoint, Completion},
    {"StuCjaValues", Results, kCategoryFtaMarket, Array, WriteConjoint, Completion},
    {"StuCjaUtils", Results, kCategoryFtaMarket, Array, WriteConjoint, Completion},
    {"SemWeights", Results, kCategoryFtaMarket, Array, WriteScaleWeights, Completion},
    {"StuFFXRpt", Results, kCategoryFirmFta, Array, WriteBenchmarkReport, Completion},
    {"StuFFMRpt", Results, kCategoryFirmFtaMarket, Array, WriteBenchmarkReport, Completion},
    {"StuFirSegUMS", Results, kCategoryFirmFtaMarket, Array, WriteFirmShares, Completion},
    {"StuFirChaUMS", Results, kCategoryFirmFtaMarket, Array, WriteFirmShares, Completion},
    {"StuFirSegVMS", Results, kCategoryFirmFtaMarket, Array, WriteFirmShares, Completion},
    {"StuFirChaVMS", Results, kCategoryFirmFtaMarket, Array, WriteFirmShares, Completion},

    // Decisions of each period: brands, their marketing mix and plans ...
    {"NbMktedBrds", Decisions, kCategoryFirmFtaMarket, Scalar, WriteFirmBrandCount},
    {"DecBrdPort", Decisions, kCategoryFirmFtaMarket, Array, WriteBrandPortfolioDecisions},
    {"DecBrdCV3", Decisions, kCategoryFirmFtaMarket, Array, WriteBrandMixDecisions},
    {"MPBrdChaSales", Decisions, kCategoryFirmFtaMarket, Array, WriteChannelShares},
    {"SegStrat", Decisions, kCategoryFirmFtaMarket, Array, WriteSegmentTargets},
    {"MPBrdSegSales", Decisions, kCategoryFirmFtaMarket, Array, WriteSegmentPlans},
    // ... sales forces (shares per brand follow "NbMktedBrds" of every market) ...
    {"SlfSize", Decisions, kCategoryFirmFta, Array, WriteSalesForceSizes},
    {"SlfAlloc", Decisions, kCategoryFirmFtaMarket, Array, WriteSalesForceAllocation},
    // ... studies, R&D projects, loans and contracts.
    {"DecStuFta", Decisions, kCategoryFirmFta, Array, WriteZoneStudyOrders},
    {"DecStuMkt", Decisions, kCategoryFirmFtaMarket, Array, WriteMarketStudyOrders},
    {"NbPrjs", Decisions, kCategoryFirmMarket, Scalar, WriteProjectCount},
    {"PrjNames", Decisions, kCategoryFirmMarket, Array, WriteProjectNames},
    {"PrjFins", Decisions, kCategoryFirmMarket, Array, WriteProjectFinances},
    {"PrjTecs", Decisions, kCategoryFirmMarket, Array, WriteProjectLevels},
    {"LoanVal", Decisions, kCategoryFirm, Array, WriteLoanRequest},
    // ... and which decision groups the team has taken.
    {"DecStatus", Decisions, kCategoryFirm, Scalar, WriteDecisionStatus},
    {"SlfDecStatus", Decisions, kCategoryFirmFta, Scalar, WriteDecisionStatus},
    {"StudiesDecStatus", Decisions, kCategoryFirmFta, Scalar, WriteDecisionStatus},
    {"LoanAck", Decisions, kCategoryFirm, Scalar, WriteLoanAcknowledgement},
    {"BgtChgAck", Decisions, kCategoryFirm, Scalar, WriteLoanAcknowledgement},
    {"NbQueriesMade", Decisions, kCategoryFirm, Scalar, WriteQueriesMade},
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

bool WrittenIn(const TSampleQuantity& quantity, int period) {
    switch (quantity.maker) {
        case Every: return true;
        case History: return period == cv::kFirstResultPeriod;
        case Completion: return period > cv::kFirstResultPeriod;
    }
    return false;
}

// Writes the quantities of the set of kind Set and Period that are written in that period.
void WriteSampleSet(TCvData& industry, TSampleSet kind, std::int16_t period) {
    TCvPerData& set = SampleSet(industry, kind, period);
    for (const TSampleQuantity& quantity : kQuantities) {
        if (quantity.set != kind || !WrittenIn(quantity, period)) continue;
        for (const TCellIndex& cell : SampleCells(quantity.category))
            quantity.write(TSampleCell{industry, set, quantity.category, SampleContext(period, cell), cell},
                           quantity.name);
    }
}

}  // namespace

std::span<const TSampleQuantity> SampleQuantities() { return kQuantities; }

std::vector<std::int16_t> SamplePeriods(const TSampleQuantity& quantity) {
    std::vector<std::int16_t> periods;
    for (std::int16_t period : SamplePeriods(quantity.set))
        if (WrittenIn(quantity, period)) periods.push_back(period);
    return periods;
}

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

void CompleteSampleResults(TCvInd& industry, std::int16_t period) { WriteSampleSet(industry, Results, period); }

void WriteSampleConstantPart(TCvData& industry) { WriteSampleSet(industry, Constant, kCurrentPeriod); }

void WriteSamplePeriods(TCvInd& industry) {
    WriteSampleSet(industry, Results, cv::kFirstResultPeriod);
    WriteSampleSet(industry, Decisions, cv::kFirstDecisionPeriod);
    for (std::int16_t period = 0; period <= kLastSampleResultPeriod; ++period) {
        ForecastSamplePeriod(industry, period);
        WriteSampleSet(industry, Results, period);
        WriteSampleSet(industry, Decisions, static_cast<std::int16_t>(period + 1));
    }
}

}  // namespace cv::sample

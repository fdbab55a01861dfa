#pragma once
// The writers of the sample's quantities, grouped by topic. Each writes the
// quantity Name into the cell of Cell; the table of sample_quantities.cpp says
// which set, category and periods.

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "core/store/series.h"
#include "tools/sample_industry/sample_quantities.h"

namespace cv::sample {

// The series Name of the industry; a series the sample lacks is a fault of the generator.
const TSeries& RequireSeries(const TCvData& industry, std::string_view name);
// List position of the dimension series CellName of Zone and Market; a name the sample lacks is a fault.
int RequireCellSeriesPosition(std::string_view cellName, std::int16_t zone, std::int16_t market);
// The dimension series that the constant part names CellName ("PerSeries",
// "ChaSeries", ...) for Zone and Market (0 where the series does not depend on it).
const TSeries& CellSeries(const TCvData& industry, std::string_view cellName, std::int16_t zone = 0,
                          std::int16_t market = 0);

// The array Name of the cell, shaped over Dimensions and all zero: created, or
// replacing one that an earlier step left there (a forecast's default decisions).
TSimArr& NewArray(const TSampleCell& cell, std::string_view name, std::uint8_t kind, std::uint8_t subType,
                  std::initializer_list<const TSeries*> dimensions);

// Constant part (sample_constant.cpp).
void WriteSeriesPosition(const TSampleCell& cell, std::string_view name);
void WriteHomeFirm(const TSampleCell& cell, std::string_view name);
void WriteRestrictions(const TSampleCell& cell, std::string_view name);
void WriteTeamPassword(const TSampleCell& cell, std::string_view name);
void WriteTeamPasswordKey(const TSampleCell& cell, std::string_view name);

// Economics of a zone (sample_economics.cpp).
void WriteEconomics(const TSampleCell& cell, std::string_view name);
void WriteDeflatorFactors(const TSampleCell& cell, std::string_view name);
void WriteCumulatedInflation(const TSampleCell& cell, std::string_view name);

// Brand portfolios and their links (sample_brands.cpp).
void WriteMarketBrandCount(const TSampleCell& cell, std::string_view name);
void WriteMarketBrandNames(const TSampleCell& cell, std::string_view name);
void WriteMarketBrandLinks(const TSampleCell& cell, std::string_view name);
void WriteFirmBrandCount(const TSampleCell& cell, std::string_view name);
void WriteFirmBrandNames(const TSampleCell& cell, std::string_view name);
void WriteFirmBrandPrototypes(const TSampleCell& cell, std::string_view name);
void WriteFirmBrandLinks(const TSampleCell& cell, std::string_view name);
void WritePrototypeCount(const TSampleCell& cell, std::string_view name);
void WritePrototypeNames(const TSampleCell& cell, std::string_view name);
void WriteBrandPortfolioDecisions(const TSampleCell& cell, std::string_view name);
void WriteBrandMixDecisions(const TSampleCell& cell, std::string_view name);
void WriteMarketAge(const TSampleCell& cell, std::string_view name);
void WriteChannelShares(const TSampleCell& cell, std::string_view name);
void WriteSegmentTargets(const TSampleCell& cell, std::string_view name);

// Study positions and brand reports (sample_brand_results.cpp).
void WriteSemanticPositions(const TSampleCell& cell, std::string_view name);
void WritePerceivedPositions(const TSampleCell& cell, std::string_view name);
void WriteMapPositions(const TSampleCell& cell, std::string_view name);
void WriteBrandReports(const TSampleCell& cell, std::string_view name);
void WriteInventoryLayers(const TSampleCell& cell, std::string_view name);
void WriteTransferCosts(const TSampleCell& cell, std::string_view name);

// The price-change, experience and production-tolerance parameters of one zone
// and market (sample_check_parameters.cpp); the other cells hold none.
void WriteCheckParameter(const TSampleCell& cell, std::string_view name);

// What the preference model starts from (sample_preference.cpp).
void WriteScaleParameters(const TSampleCell& cell, std::string_view name);
void WriteSemanticToMap(const TSampleCell& cell, std::string_view name);
void WriteIdealPointStart(const TSampleCell& cell, std::string_view name);
void WriteIdealPointDrift(const TSampleCell& cell, std::string_view name);
void WriteMaxSegmentSizes(const TSampleCell& cell, std::string_view name);
void WriteSegmentGrowth(const TSampleCell& cell, std::string_view name);
void WriteSegmentSales(const TSampleCell& cell, std::string_view name);
void WriteScaleEnds(const TSampleCell& cell, std::string_view name);
void WriteIdealPoints(const TSampleCell& cell, std::string_view name);
void WriteAttractedIdealPoints(const TSampleCell& cell, std::string_view name);

// Sales forces (sample_sales_force.cpp). SalesForceSize is the number of
// salespeople of Firm in Zone and Channel decided for Period, SalesForceTotal
// their sum over the zone's channels.
int SalesForceSize(std::int16_t firm, std::int16_t zone, int channel, int period);
int SalesForceTotal(std::int16_t firm, std::int16_t zone, int period);
void WriteSalespersonCost(const TSampleCell& cell, std::string_view name);
void WriteSalesForceSizes(const TSampleCell& cell, std::string_view name);
void WriteSalesForceAllocation(const TSampleCell& cell, std::string_view name);

// Distribution (sample_distribution.cpp).
void WriteChannelParameters(const TSampleCell& cell, std::string_view name);
void WriteSegmentPlans(const TSampleCell& cell, std::string_view name);
void WritePastMarketShares(const TSampleCell& cell, std::string_view name);
void WriteSegmentShares(const TSampleCell& cell, std::string_view name);
void WriteCoverage(const TSampleCell& cell, std::string_view name);

// Budgets, studies, R&D projects and loans (sample_finance.cpp).
void WriteFirmZoneReport(const TSampleCell& cell, std::string_view name);
void WriteZoneStudyPrices(const TSampleCell& cell, std::string_view name);
void WriteMarketStudyPrices(const TSampleCell& cell, std::string_view name);
void WriteZoneStudyOrders(const TSampleCell& cell, std::string_view name);
void WriteMarketStudyOrders(const TSampleCell& cell, std::string_view name);
void WriteProjectCount(const TSampleCell& cell, std::string_view name);
void WriteProjectNames(const TSampleCell& cell, std::string_view name);
void WriteProjectFinances(const TSampleCell& cell, std::string_view name);
void WriteDecisionStatus(const TSampleCell& cell, std::string_view name);
void WriteLoanRequest(const TSampleCell& cell, std::string_view name);
void WriteLoanAcknowledgement(const TSampleCell& cell, std::string_view name);
void WriteLoanHistory(const TSampleCell& cell, std::string_view name);

// Firm market reports and cumulative brand results of every results period, from
// the brand reports (sample_finance_results.cpp).
void WriteFirmMarketReport(const TSampleCell& cell, std::string_view name);
void WriteCumulativeBrandNames(const TSampleCell& cell, std::string_view name);
void WriteCumulativeBrandResults(const TSampleCell& cell, std::string_view name);

// R&D (sample_rnd.cpp). WriteProjectDesign fills the R&D columns of row Row of
// the project finances Finances for the project named Project.
void WriteHomeZone(const TSampleCell& cell, std::string_view name);
void WriteTechnical(const TSampleCell& cell, std::string_view name);
void WriteUnitCostParameters(const TSampleCell& cell, std::string_view name);
void WriteRnDParameter(const TSampleCell& cell, std::string_view name);
void WriteQueriesMade(const TSampleCell& cell, std::string_view name);
void WritePrototypeLevels(const TSampleCell& cell, std::string_view name);
void WritePrototypeFinances(const TSampleCell& cell, std::string_view name);
void WriteFinishedPrototypes(const TSampleCell& cell, std::string_view name);
// Level of the prototype or project Prototype on its market's dimension of slot Slot (0-based).
long double PrototypeLevel(std::string_view prototype, int slot);
// The unit cost a finished prototype was requested at, in the reference money.
long double PrototypeUnitCost(const TSampleCell& cell, std::string_view prototype);
void WriteProjectLevels(const TSampleCell& cell, std::string_view name);
void WriteProjectDesign(const TSampleCell& cell, TSimArr& finances, int row, std::string_view project);
void WriteContractCount(const TSampleCell& cell, std::string_view name);
void WriteContractSubjects(const TSampleCell& cell, std::string_view name);
void WriteContractTerms(const TSampleCell& cell, std::string_view name);

// The market studies of a period, from its results and decisions (sample_studies.cpp).
void WriteSegmentUnitShares(const TSampleCell& cell, std::string_view name);
void WriteChannelUnitShares(const TSampleCell& cell, std::string_view name);
void WriteSegmentValueShares(const TSampleCell& cell, std::string_view name);
void WriteChannelValueShares(const TSampleCell& cell, std::string_view name);
void WriteAverageUnitShares(const TSampleCell& cell, std::string_view name);
void WriteAverageValueShares(const TSampleCell& cell, std::string_view name);
void WriteAwareness(const TSampleCell& cell, std::string_view name);
void WritePurchaseIntentions(const TSampleCell& cell, std::string_view name);
void WriteBuyingHabits(const TSampleCell& cell, std::string_view name);
void WriteMostRecentBuyingHabits(const TSampleCell& cell, std::string_view name);
void WriteSegmentSizes(const TSampleCell& cell, std::string_view name);
void WriteDistributionCoverage(const TSampleCell& cell, std::string_view name);
void WriteCompetitorAdvertising(const TSampleCell& cell, std::string_view name);
void WriteCompetitorSalesForce(const TSampleCell& cell, std::string_view name);
void WriteAdvertisingExperiment(const TSampleCell& cell, std::string_view name);
void WriteSalesForceExperiment(const TSampleCell& cell, std::string_view name);
void WriteConjoint(const TSampleCell& cell, std::string_view name);
void WriteScaleWeights(const TSampleCell& cell, std::string_view name);
void WriteBenchmarkReport(const TSampleCell& cell, std::string_view name);
void WriteFirmShares(const TSampleCell& cell, std::string_view name);

// The newsletter's stock market and inventory coefficients (sample_newsletter.cpp).
void WriteStockMarket(const TSampleCell& cell, std::string_view name);
void WriteInventoryCoefficient(const TSampleCell& cell, std::string_view name);

}  // namespace cv::sample

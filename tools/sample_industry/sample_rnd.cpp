// R&D: each firm's home zone, the cost tables and parameters of each market
// ("Technical", "UCParams", "MinRnDBgt", ...), the technical levels and
// finances of the prototypes ("ProTecs", "ProFins") and the levels of the
// projects ("PrjTecs", with the R&D columns of "PrjFins"), and the R&D
// contracts ("NbCcts", "CctWhat", "CctTerms"), signed for the decision period.

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/store/series_index.h"
#include "tools/sample_industry/sample_brand_table.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr std::int16_t kHomeZones[kFirmCount] = {1, 2, 1, 2};

// The markets have at most five physical dimensions.
constexpr int kMaxDimensions = 5;

// One row of "Technical": range of levels, development budget and unit cost per
// unit of level (negative: a lower level costs more), standard-to-minimum factor.
struct TTechnicalRow {
    long double minLevel;
    long double maxLevel;
    long double devBudget;
    long double unitCost;
    long double suc2Muc;
};

// Rows in the order of each market's dimension series (M1: Weight, Power,
// Design, Noise, Range; M2: Size, Speed, Grip; M3: Volume, Autonomy).
constexpr std::array<std::array<TTechnicalRow, kMaxDimensions>, kMarketCount> kTechnical{{
    {{{10, 100, -20000, -2, 0.8L},
      {5, 50, 40000, 4, 0.75L},
      {1, 10, 100000, 10, 0.7L},
      {20, 100, -10000, -1, 0.8L},
      {10, 200, 5000, 0.5L, 0.85L}}},
    {{{1, 20, -50000, -5, 0.8L}, {10, 200, 10000, 1.5L, 0.75L}, {1, 10, 30000, 8, 0.8L}, {}, {}}},
    {{{1, 50, 20000, 3, 0.8L}, {1, 24, 50000, 12, 0.7L}, {}, {}, {}}},
}};

// "UCParams": the highest requested unit cost that is costed, and the
// development budget per unit of unit-cost reduction.
constexpr long double kHighestCostedUC = 1500;
constexpr long double kBudgetPerUCUnit = 20000;

struct TRnDParameter {
    std::string_view name;
    long double value;
};

constexpr TRnDParameter kRnDParameters[] = {
    {"MinRnDBgtRatio", 0.8L}, {"MinRnDBgt", 100000},  {"MaxRnDBgt", 20000000},
    {"MinRUC", 10},           {"MaxRUC", 1500},       {"MinUCOverEst", 0.05L},
    {"MaxUCOverEst", 0.15L},  {"MinDBOverEst", 0.1L}, {"MaxDBOverEst", 0.3L},
    {"RnDNbQueries", 2},
};

// Cost estimates the firm has bought from its R&D department this period.
constexpr std::int16_t kQueriesMade = 1;

// The technical levels of every prototype and project of the sample.
struct TDesign {
    std::string_view name;
    std::array<long double, kMaxDimensions> levels;
};

constexpr TDesign kDesigns[] = {
    // Market M1: Weight, Power, Design, Noise, Range.
    {"PALBA", {40, 20, 5, 80, 20}},
    {"PARNO", {30, 28, 6, 75, 50}},
    {"PALTO", {25, 35, 7, 60, 60}},
    {"PEDRA", {50, 18, 4, 85, 30}},
    {"PEFOR", {35, 30, 6, 70, 40}},
    {"PEVOS", {32, 26, 5, 78, 70}},
    {"PIBIS", {45, 22, 5, 88, 25}},
    {"PIRMA", {20, 40, 8, 55, 90}},
    {"POPAL", {42, 24, 6, 82, 35}},
    {"PONYX", {28, 33, 7, 65, 55}},
    {"PAXIS", {20, 38, 8, 58, 85}},
    {"PAVIA", {35, 25, 6, 76, 45}},
    {"PILEX", {15, 45, 9, 50, 100}},
    // Market M2: Size, Speed, Grip.
    {"PAMOR", {10, 80, 4}},
    {"PAVEN", {9, 120, 6}},
    {"PENZO", {5, 160, 9}},
    {"PAGIL", {8, 120, 6}},
    // Market M3: Volume, Autonomy.
    {"PVELA", {20, 10}},
};

// A finished prototype was sold at half-way between its minimum and standard
// unit cost; a project asks for a fifth of the way; a prototype cost this much.
constexpr long double kPrototypeRequestShare = 0.5L;
constexpr long double kProjectRequestShare = 0.2L;
constexpr long double kPrototypeBudget = 1500000;

// A contract as it stands in the table of Firm in Zone (each party keeps its
// copy in its own table). Party 1 develops or sells, party 2 is the partner or buys.
struct TSampleContract {
    std::int16_t firm;
    std::int16_t zone;
    std::string_view type;
    std::string_view project;
    std::array<std::int16_t, 2> parties;
    std::array<long double, 2> devBudgets;
    long double lumpRoyalty;  // paid to party 1
};

constexpr TSampleContract kContracts[] = {
    {2, 1, "Dev", "PENZO", {2, 3}, {240000, 60000}, 0},
    {3, 1, "Dev", "PENZO", {2, 3}, {240000, 60000}, 0},
    {4, 1, "Acq", "PILEX", {3, 4}, {0, 0}, 500000},
    {3, 1, "Acq", "PILEX", {3, 4}, {0, 0}, 500000},
};
constexpr std::uint8_t kContractTextLength = 16;
constexpr long double kContractDuration = 3;

struct TUnitCostPair {
    long double standard = 0;
    long double minimum = 0;
};

const TDesign& DesignOf(std::string_view name) {
    for (const TDesign& design : kDesigns)
        if (design.name == name) return design;
    throw std::logic_error("sample industry: no technical levels for " + std::string(name));
}

const TSeries& Dimensions(const TSampleCell& cell) {
    return CellSeries(cell.industry, "DimSeries", 0, cell.cell.market);
}

const TTechnicalRow& TechnicalRow(const TSampleCell& cell, int dimension) {
    const TSeries& dimensions = Dimensions(cell);
    if (dimensions.Count() > kMaxDimensions) throw std::logic_error("sample industry: too many dimensions");
    return kTechnical[cell.cell.market - 1][dimension - dimensions.Lo()];
}

// The cost rule of the R&D model at the reference money: per dimension the unit
// cost times the level, mirrored within its range where a lower level costs more.
TUnitCostPair UnitCosts(const TSampleCell& cell, const TDesign& design) {
    const TSeries& dimensions = Dimensions(cell);
    TUnitCostPair costs;
    for (int dim = dimensions.Lo(); dim <= dimensions.Hi(); ++dim) {
        const TTechnicalRow& row = TechnicalRow(cell, dim);
        const long double level = design.levels[dim - dimensions.Lo()];
        const long double costed = row.unitCost > 0 ? level : row.maxLevel + row.minLevel - level;
        const long double term = std::fabs(row.unitCost) * costed;
        costs.standard += term;
        costs.minimum += row.suc2Muc * term;
    }
    costs.standard = std::nearbyint(costs.standard);
    costs.minimum = std::nearbyint(costs.minimum);
    return costs;
}

long double RequestedUC(const TUnitCostPair& costs, long double share) {
    return std::nearbyint(costs.minimum + share * (costs.standard - costs.minimum));
}

TSimArr& FindArray(const TSampleCell& cell, std::string_view name) {
    TSimArr* array = cell.set.FindSimArr(cell.category, cell.context, name);
    if (array == nullptr) throw std::logic_error("sample industry: " + std::string(name) + " is written later");
    return *array;
}

// The names of the list whose count is CountName and names NamesName, written before.
std::vector<std::string> ListNames(const TSampleCell& cell, std::string_view countName, std::string_view namesName) {
    const int count = cell.set.GetSmallint(cell.category, cell.context, countName);
    const TSimArr& names = FindArray(cell, namesName);
    std::vector<std::string> list;
    for (int i = 1; i <= count; ++i) list.push_back(names.GetZts({i}));
    return list;
}

// Row Row of a firm's prototype finances for a finished prototype first listed in Period:
// developed by the firm in the period before, its required budget 0. A prototype
// of the history period, which stands for the time before the game, reads as
// ready in the first period played.
void WritePrototypeRow(const TSampleCell& cell, TSimArr& finances, std::size_t row, std::string_view prototype,
                       int period) {
    const TUnitCostPair costs = UnitCosts(cell, DesignOf(prototype));
    const long double requested = RequestedUC(costs, kPrototypeRequestShare);
    finances.SetReal48({row, si::ProStdUC}, costs.standard);
    finances.SetReal48({row, si::ProMinUC}, costs.minimum);
    finances.SetReal48({row, si::ProReqUC}, requested);
    finances.SetReal48({row, si::ProOldReqUC}, requested);
    finances.SetReal48({row, si::ProCumBgt}, kPrototypeBudget);
    finances.SetReal48({row, si::ProDeveloper}, cell.cell.firm);
    finances.SetReal48({row, si::ProPerBeg}, std::max(period - 1, static_cast<int>(cv::kFirstResultPeriod)));
    finances.SetReal48({row, si::ProPerEnd}, std::max(period, 0));
}

void WriteDesignLevels(const TSampleCell& cell, TSimArr& levels, std::size_t row, std::string_view design) {
    const TSeries& dimensions = Dimensions(cell);
    for (int dim = dimensions.Lo(); dim <= dimensions.Hi(); ++dim)
        levels.SetReal48({row, dim}, DesignOf(design).levels[static_cast<std::size_t>(dim - dimensions.Lo())]);
}

void WriteLevels(const TSampleCell& cell, std::string_view name, std::string_view rowSeries,
                 const std::vector<std::string>& designs) {
    TSimArr& levels = NewArray(cell, name, dkReal48, 0, {&RequireSeries(cell.industry, rowSeries), &Dimensions(cell)});
    for (std::size_t i = 0; i < designs.size(); ++i) WriteDesignLevels(cell, levels, i + 1, designs[i]);
}

// The development contract on Project to which Firm is a party.
const TSampleContract* DevelopmentContract(std::int16_t firm, std::string_view project) {
    for (const TSampleContract& contract : kContracts)
        if (contract.type == "Dev" && contract.project == project &&
            (contract.parties[0] == firm || contract.parties[1] == firm))
            return &contract;
    return nullptr;
}

std::vector<const TSampleContract*> ContractsOf(const TSampleCell& cell) {
    std::vector<const TSampleContract*> contracts;
    if (cell.Period() != kDecisionPeriod) return contracts;
    for (const TSampleContract& contract : kContracts)
        if (contract.firm == cell.cell.firm && contract.zone == cell.cell.zone) contracts.push_back(&contract);
    return contracts;
}

}  // namespace

void WriteHomeZone(const TSampleCell& cell, std::string_view name) {
    cell.set.SetSmallint(cell.category, cell.context, name, kHomeZones[cell.cell.firm - 1]);
}

void WriteTechnical(const TSampleCell& cell, std::string_view name) {
    const TSeries& dimensions = Dimensions(cell);
    TSimArr& technical = NewArray(cell, name, dkReal48, 0, {&dimensions, &RequireSeries(cell.industry, "TecDimVars")});
    for (int dim = dimensions.Lo(); dim <= dimensions.Hi(); ++dim) {
        const TTechnicalRow& row = TechnicalRow(cell, dim);
        technical.SetReal48({dim, si::TDMinLev}, row.minLevel);
        technical.SetReal48({dim, si::TDMaxLev}, row.maxLevel);
        technical.SetReal48({dim, si::TDDevBgt}, row.devBudget);
        technical.SetReal48({dim, si::TDUnitCost}, row.unitCost);
        technical.SetReal48({dim, si::TDSuc2Muc}, row.suc2Muc);
    }
}

void WriteUnitCostParameters(const TSampleCell& cell, std::string_view name) {
    TSimArr& params = NewArray(cell, name, dkReal48, 0, {&RequireSeries(cell.industry, "TecDimVars")});
    params.SetReal48({si::TDMaxLev}, kHighestCostedUC);
    params.SetReal48({si::TDDevBgt}, kBudgetPerUCUnit);
}

void WriteRnDParameter(const TSampleCell& cell, std::string_view name) {
    for (const TRnDParameter& parameter : kRnDParameters)
        if (parameter.name == name) return cell.set.SetReal(cell.category, cell.context, name, parameter.value);
    throw std::logic_error("sample industry: no value for the R&D parameter " + std::string(name));
}

// Team A has bought one of its two estimates in the decision period; earlier
// periods' counts were reset by the simulation.
void WriteQueriesMade(const TSampleCell& cell, std::string_view name) {
    const bool bought = cell.cell.firm == 1 && cell.Period() == kDecisionPeriod;
    cell.set.SetSmallint(cell.category, cell.context, name, bought ? kQueriesMade : 0);
}

void WritePrototypeLevels(const TSampleCell& cell, std::string_view name) {
    WriteLevels(cell, name, "Prototype", ListNames(cell, "NbPros", "ProNames"));
}

// Every prototype of the history is finished.
void WritePrototypeFinances(const TSampleCell& cell, std::string_view name) {
    TSimArr& finances =
        NewArray(cell, name, dkReal48, 0,
                 {&RequireSeries(cell.industry, "Prototype"), &RequireSeries(cell.industry, "ProFinances")});
    const std::vector<std::string> prototypes = ListNames(cell, "NbPros", "ProNames");
    for (std::size_t i = 0; i < prototypes.size(); ++i)
        WritePrototypeRow(cell, finances, i + 1, prototypes[i], cell.Period());
}

// The instructor's simulation finishes the prototype of each brand the period
// before its launch: appended to the lists the forecast carried over from the
// period before, with its levels and finances.
void WriteFinishedPrototypes(const TSampleCell& cell, std::string_view name) {
    TSimArr& names = FindArray(cell, name);
    TSimArr& levels = FindArray(cell, "ProTecs");
    TSimArr& finances = FindArray(cell, "ProFins");
    int count = cell.set.GetSmallint(cell.category, cell.context, "NbPros");
    for (const TSampleBrand* brand : FirmPrototypeBrands(cell.cell.firm, cell.cell.market, cell.Period())) {
        if (names.FindZts(brand->prototype, 1, {1}) != kZtsNotFound) continue;
        if (++count > names.UB(1)) throw std::logic_error("sample industry: too many prototypes");
        const auto row = static_cast<std::size_t>(count);
        names.SetZts({row}, brand->prototype);
        WriteDesignLevels(cell, levels, row, brand->prototype);
        WritePrototypeRow(cell, finances, row, brand->prototype, cell.Period());
    }
    cell.set.SetSmallint(cell.category, cell.context, "NbPros", static_cast<std::int16_t>(count));
}

long double PrototypeLevel(std::string_view prototype, int slot) {
    return DesignOf(prototype).levels.at(static_cast<std::size_t>(slot));
}

long double PrototypeUnitCost(const TSampleCell& cell, std::string_view prototype) {
    return RequestedUC(UnitCosts(cell, DesignOf(prototype)), kPrototypeRequestShare);
}

void WriteProjectLevels(const TSampleCell& cell, std::string_view name) {
    WriteLevels(cell, name, "Projet", ListNames(cell, "NbPrjs", "PrjNames"));
}

void WriteProjectDesign(const TSampleCell& cell, TSimArr& finances, int row, std::string_view project) {
    const long double requested = RequestedUC(UnitCosts(cell, DesignOf(project)), kProjectRequestShare);
    finances.SetReal48({row, si::ProReqUC}, requested);
    finances.SetReal48({row, si::ProOldReqUC}, requested);
    const TSampleContract* contract = DevelopmentContract(cell.cell.firm, project);
    finances.SetReal48({row, si::ProDeveloper}, contract != nullptr ? contract->parties[0] : cell.cell.firm);
    if (contract != nullptr) finances.SetReal48({row, si::ProPartner}, contract->parties[1]);
}

void WriteContractCount(const TSampleCell& cell, std::string_view name) {
    cell.set.SetSmallint(cell.category, cell.context, name, static_cast<std::int16_t>(ContractsOf(cell).size()));
}

void WriteContractSubjects(const TSampleCell& cell, std::string_view name) {
    TSimArr& what = NewArray(cell, name, dkZts, kContractTextLength,
                             {&RequireSeries(cell.industry, "Cct"), &RequireSeries(cell.industry, "CctWhat")});
    const std::vector<const TSampleContract*> contracts = ContractsOf(cell);
    for (std::size_t i = 0; i < contracts.size(); ++i) {
        what.SetZts({i + 1, si::CctType}, contracts[i]->type);
        what.SetZts({i + 1, si::PrjName}, contracts[i]->project);
    }
}

void WriteContractTerms(const TSampleCell& cell, std::string_view name) {
    TSimArr& terms = NewArray(cell, name, dkReal48, 0,
                              {&RequireSeries(cell.industry, "Cct"), &RequireSeries(cell.industry, "CctFirms"),
                               &RequireSeries(cell.industry, "CctTerms")});
    const std::vector<const TSampleContract*> contracts = ContractsOf(cell);
    for (std::size_t i = 0; i < contracts.size(); ++i) {
        const TSampleContract& contract = *contracts[i];
        for (std::size_t party = 1; party <= contract.parties.size(); ++party) {
            terms.SetReal48({i + 1, party, si::Firm}, contract.parties[party - 1]);
            terms.SetReal48({i + 1, party, si::DevBgt}, contract.devBudgets[party - 1]);
            terms.SetReal48({i + 1, party, si::CctAllowed}, 1);
        }
        terms.SetReal48({i + 1, 1, si::RoyLump}, contract.lumpRoyalty);
        terms.SetReal48({i + 1, 1, si::PerSigned}, kDecisionPeriod);
        terms.SetReal48({i + 1, 1, si::Per1stUse}, kDecisionPeriod);
        terms.SetReal48({i + 1, 1, si::Duration}, kContractDuration);
    }
}

}  // namespace cv::sample

#include "tests/model/rnd/rnd_world.h"

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/random_generator.h"
#include "model/rnd/mod_rnd.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/support/temp_dir.h"

namespace cv::test {

namespace {

constexpr std::uint8_t kNameLength = 8;
constexpr std::uint8_t kContractTextLength = 16;
constexpr char kLogName[] = "RNDTEST";
constexpr int kLogNumber = 0;

}  // namespace

TRnDWorld::TRnDWorld(const TFixtureSetup& setup) : industry(world.OpenFixture(setup)), spec_(setup) {
    DebugLevel = 5;
    LogOpen((world.PrivateDir() / kLogName).string(), kLogNumber);
    for (int zone = 1; zone <= setup.zones; ++zone) SetEconomy(zone);
}

TRnDWorld::~TRnDWorld() { LogClose(); }

TDataContext TRnDWorld::Cell(int firm, int zone, int market) const { return FixtureCell(t(), firm, zone, market); }

// The array of that shape, all zero, in place of whatever the cell held.
TSimArr& TRnDWorld::Fresh(TCvPerData& set, int category, const TDataContext& cell, const std::string& name,
                          std::uint8_t kind, std::uint8_t subType, std::initializer_list<const TSeries*> dims) {
    TSimArr shaped;
    shaped.InitFromSeries(kind, subType, dims);
    if (TSimArr* existing = set.FindSimArr(category, cell, name)) {
        existing->Assign(shaped);
        return *existing;
    }
    return set.CreateSimArr(category, cell, name, kind, subType, dims);
}

// On the fixtures' economy (exchange rate 1), inflation 100 % from the decision
// period d on: the cumulated inflation of period p > d is 2^(p - d) - 1. The
// deflators, which other steps' writers set, are cleared.
void TRnDWorld::SetEconomy(int zone) {
    TCvPerData& constant = industry.ConstPart();
    const TSeries* periods = industry.PerSeries();
    TSimArr& economics = Arr(constant, kCategoryFta, 0, zone, 0, "Economics");
    TSimArr& cumulated = Arr(constant, kCategoryFta, 0, zone, 0, "CumInflation");
    Fresh(constant, kCategoryFta, Cell(0, zone, 0), "DeflatFacs", dkReal48, 0, {periods, si::CostCategs});
    double level = 1;
    for (int p = periods->Lo(); p <= periods->Hi(); ++p) {
        economics.SetReal48({p, si::InflationRate}, p >= d() ? 1 : 0);
        for (int k = si::CostCategs->Lo(); k <= si::CostCategs->Hi(); ++k) cumulated.SetReal48({p, k}, level - 1);
        if (p >= d()) level *= 2;
    }
}

template <class Row>
TSimArr& TRnDWorld::FreshList(TCvPerData& set, int firm, int market, const std::string& prefix,
                              const TSeries* slots, const std::vector<Row>& rows) {
    const TDataContext cell = Cell(firm, 0, market);
    TSimArr& names = Fresh(set, kCategoryFirmMarket, cell, prefix + "Names", dkZts, kNameLength, {slots});
    TSimArr& tecs =
        Fresh(set, kCategoryFirmMarket, cell, prefix + "Tecs", dkReal48, 0, {slots, industry.DimSeries(market)});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        names.SetZts({static_cast<int>(i) + 1}, rows[i].name);
        for (std::size_t dim = 0; dim < rows[i].levels.size(); ++dim)
            tecs.SetReal48({static_cast<int>(i) + 1, static_cast<int>(dim) + 1}, rows[i].levels[dim]);
    }
    return Fresh(set, kCategoryFirmMarket, cell, prefix + "Fins", dkReal48, 0, {slots, si::ProFinances});
}

void TRnDWorld::SetPrototypes(int firm, int market, const std::vector<TPrototypeSetup>& prototypes) {
    TCvPerData& results = industry.PerResults(t());
    TSimArr& fins = FreshList(results, firm, market, "Pro", si::Prototype, prototypes);
    for (std::size_t i = 0; i < prototypes.size(); ++i) {
        const TPrototypeSetup& prototype = prototypes[i];
        const int row = static_cast<int>(i) + 1;
        fins.SetReal48({row, si::ProReqBgt}, prototype.requiredBudget);
        fins.SetReal48({row, si::ProReqUC}, prototype.requestedUC);
        fins.SetReal48({row, si::ProOldReqUC}, prototype.requestedUC);
        fins.SetReal48({row, si::ProCumBgt}, prototype.cumulatedBudget);
        fins.SetReal48({row, si::ProDeveloper}, firm);
        fins.SetReal48({row, si::ProPerBeg}, prototype.begun >= 0 ? prototype.begun : t() - 1);
        fins.SetReal48({row, si::ProPerEnd}, prototype.requiredBudget == 0 ? t() : 32767);
    }
    results.SetSmallint(kCategoryFirmMarket, Cell(firm, 0, market), "NbPros",
                        static_cast<std::int16_t>(prototypes.size()));
}

void TRnDWorld::SetProjects(int firm, int market, const std::vector<TProjectSetup>& projects) {
    TCvPerData& decisions = industry.PerDecisions(d());
    TSimArr& fins = FreshList(decisions, firm, market, "Prj", si::Projet, projects);
    for (std::size_t i = 0; i < projects.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        fins.SetReal48({row, si::ProAllBgt}, projects[i].allocated);
        fins.SetReal48({row, si::ProReqUC}, projects[i].requestedUC);
        fins.SetReal48({row, si::ProOldReqUC}, projects[i].requestedUC);
        fins.SetReal48({row, si::ProDeveloper}, firm);
    }
    decisions.SetSmallint(kCategoryFirmMarket, Cell(firm, 0, market), "NbPrjs",
                          static_cast<std::int16_t>(projects.size()));
}

void TRnDWorld::SetContracts(int firm, int zone, const std::vector<TContractSetup>& contracts) {
    TCvPerData& decisions = industry.PerDecisions(d());
    const TDataContext cell = Cell(firm, zone, 0);
    TSimArr& what =
        Fresh(decisions, kCategoryFirmFta, cell, "CctWhat", dkZts, kContractTextLength, {si::Cct, si::CctWhat});
    TSimArr& terms =
        Fresh(decisions, kCategoryFirmFta, cell, "CctTerms", dkReal48, 0, {si::Cct, si::CctFirms, si::CctTerms});
    for (std::size_t i = 0; i < contracts.size(); ++i) {
        const TContractSetup& contract = contracts[i];
        const int rank = static_cast<int>(i) + 1;
        what.SetZts({rank, si::CctType}, contract.type);
        what.SetZts({rank, si::PrjName}, contract.project);
        terms.SetReal48({rank, 1, si::Firm}, contract.firm1);
        terms.SetReal48({rank, 2, si::Firm}, contract.firm2);
        terms.SetReal48({rank, 1, si::DevBgt}, contract.devBudget1);
        terms.SetReal48({rank, 2, si::DevBgt}, contract.devBudget2);
    }
    decisions.SetSmallint(kCategoryFirmFta, cell, "NbCcts", static_cast<std::int16_t>(contracts.size()));
}

void TRnDWorld::SetMarketedPrototypes(int firm, int zone, int market, const std::vector<std::string>& prototypes) {
    TCvPerData& decisions = industry.PerDecisions(d());
    const TDataContext cell = Cell(firm, zone, market);
    TSimArr& portfolio = Fresh(decisions, kCategoryFirmFtaMarket, cell, "DecBrdPort", dkZts, kNameLength,
                               {si::FirBrand, si::DecBrdPort});
    for (std::size_t k = 0; k < prototypes.size(); ++k) {
        portfolio.SetZts({static_cast<int>(k) + 1, si::BrdName}, "B" + prototypes[k]);
        portfolio.SetZts({static_cast<int>(k) + 1, si::ProName}, prototypes[k]);
    }
    decisions.SetSmallint(kCategoryFirmFtaMarket, cell, "NbMktedBrds", static_cast<std::int16_t>(prototypes.size()));
}

void TRnDWorld::Start(TModRnD& rnd) {
    SetRandomSeed(static_cast<std::uint32_t>(t() * 7));
    rnd.WorkRec = &work;
    rnd.Run(industry);
}

void TRnDWorld::RunOnly() {
    TModRnD rnd;
    Start(rnd);
}

void TRnDWorld::RunRnD() {
    TModRnD rnd;
    Start(rnd);
    TDataContext context = Cell(0, spec_.zones, 0);
    for (int firm = 1; firm <= spec_.firms; ++firm)
        for (int market = 1; market <= spec_.markets; ++market) {
            context.SelFirm = static_cast<std::int16_t>(firm);
            context.SelMarket = static_cast<std::int16_t>(market);
            rnd.Init(industry, context);
            rnd.RunProjects(rnd.Context);
        }
}

int TRnDWorld::NbPros(int firm, int market) const {
    return industry.PerResults(d()).GetSmallint(kCategoryFirmMarket, Cell(firm, 0, market), "NbPros");
}

const TSimArr& TRnDWorld::ListOfT1(int firm, int market, std::string_view name) const {
    return Arr(industry.PerResults(d()), kCategoryFirmMarket, Cell(firm, 0, market), name);
}

std::string TRnDWorld::ProName(int firm, int market, int row) const {
    return ListOfT1(firm, market, "ProNames").GetZts({row});
}

double TRnDWorld::ProFin(int firm, int market, int row, int column) const {
    return static_cast<double>(ListOfT1(firm, market, "ProFins").GetReal48({row, column}));
}

double TRnDWorld::ProTec(int firm, int market, int row, int dim) const {
    return static_cast<double>(ListOfT1(firm, market, "ProTecs").GetReal48({row, dim}));
}

std::string TRnDWorld::LogText() const {
    LogFlush();
    return ReadFileBytes(world.PrivateDir() / (std::string(kLogName) + "00.TXT"));
}

}  // namespace cv::test

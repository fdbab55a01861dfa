#include "core/store/industry_reads.h"

#include <algorithm>

#include <vector>

#include "core/store/data_context.h"
#include "core/store/industry_file.h"
#include "core/store/typed_array.h"

namespace cv {
namespace {

using enum TReadNeed;
using TDims = std::array<TSeriesRef, kMaxReadDims>;

// The first periods: the history before period 0 holds the links, the
// prototypes, the reports and what the preference model starts from; the
// other results and the marketing plan's segment sales begin later.
constexpr std::int8_t kHistory = -1;
constexpr std::int8_t kFirstPlayed = 0;
constexpr std::int8_t kFirstPlanned = 1;

constexpr TIndustryRead Scalar(std::uint16_t set, int category, std::string_view name, std::uint8_t kind,
                               TReadNeed need, std::int8_t first = kHistory) {
    TIndustryRead read;
    read.set = set;
    read.category = static_cast<std::uint8_t>(category);
    read.name = name;
    read.kind = kind;
    read.need = need;
    read.firstPeriod = first;
    return read;
}

// A small-integer count or index: within Low and the last element of Bound.
constexpr TIndustryRead Count(std::uint16_t set, int category, std::string_view name, TSeriesRef bound,
                              TReadNeed need, std::int8_t first = kHistory, std::int8_t low = 0) {
    TIndustryRead read = Scalar(set, category, name, dkSmallint, need, first);
    read.bound = bound;
    read.low = low;
    return read;
}

constexpr TIndustryRead Array(std::uint16_t set, int category, std::string_view name, std::uint8_t kind,
                              TDims dims, TReadNeed need, std::int8_t first = kHistory) {
    TIndustryRead read = Scalar(set, category, name, kind, need, first);
    read.form = TReadForm::array;
    read.dims = dims;
    return read;
}

// An array whose elements of the last dimension index other arrays.
constexpr TIndustryRead Links(std::uint16_t set, int category, std::string_view name, TDims dims, TReadNeed need,
                              std::array<TElementBound, kMaxElementBounds> elements) {
    TIndustryRead read = Array(set, category, name, dkByte, dims, need);
    read.elements = elements;
    return read;
}

constexpr int kIndustry = kCategoryIndustry;
constexpr int kFirm = kCategoryFirm;
constexpr int kFta = kCategoryFta;
constexpr int kMarket = kCategoryMarket;
constexpr int kFirmFta = kCategoryFirmFta;
constexpr int kFirmMarket = kCategoryFirmMarket;
constexpr int kFtaMarket = kCategoryFtaMarket;
constexpr int kFirmFtaMarket = kCategoryFirmFtaMarket;

// The cell's own position series.
constexpr TSeriesRef kCha = "ChaSeries";
constexpr TSeriesRef kSeg = "SegSeries";
constexpr TSeriesRef kDim = "DimSeries";
constexpr TSeriesRef kSem = "SemSeries";
constexpr TSeriesRef kMap = "MapSeries";

constexpr TIndustryRead kReads[] = {
    // The constant part: the series of the cells, which the opening looks up ...
    Scalar(vtConstant, kIndustry, "PerSeries", dkSmallint, required),
    Scalar(vtConstant, kIndustry, "FirSeries", dkSmallint, required),
    Scalar(vtConstant, kIndustry, "FtaSeries", dkSmallint, required),
    Scalar(vtConstant, kIndustry, "MktSeries", dkSmallint, required),
    Scalar(vtConstant, kFta, "ChaSeries", dkSmallint, required),
    Scalar(vtConstant, kMarket, "DimSeries", dkSmallint, required),
    Scalar(vtConstant, kMarket, "SemSeries", dkSmallint, required),
    Scalar(vtConstant, kMarket, "MapSeries", dkSmallint, required),
    Scalar(vtConstant, kFtaMarket, "SegSeries", dkSmallint, required),
    // ... the team's firm, which the opening writes into the team's copy, and
    // the instructor's restrictions and messages ...
    Count(vtConstant, kIndustry, "WhichTeam", "Firms", writtenOnOpening),
    Array(vtConstant, kIndustry, "RestrictEnabled", dkWord, {"RestrictCateg"}, required),
    Array(vtConstant, kIndustry, "RestrictHidden", dkWord, {"RestrictCateg"}, required),
    Array(vtConstant, kIndustry, "CustMsg", dkZts, {}, optional),
    Scalar(vtConstant, kIndustry, "BasicScenName", dkZts, optional),
    Scalar(vtConstant, kIndustry, "IndVersion", dkSmallint, optional),
    // ... the zones' economics and the parameters of the model and the checks.
    Array(vtConstant, kFta, "Economics", dkReal48, {"Periods", "FtaEcoVars"}, required),
    Array(vtConstant, kFta, "DeflatFacs", dkReal48, {"Periods", "CostCategs"}, required),
    Array(vtConstant, kFta, "CumInflation", dkReal48, {"Periods", "CostCategs"}, required),
    Array(vtConstant, kFta, "StuFtaParams", dkReal48, {"StuFta", "StuInfos"}, required),
    Scalar(vtConstant, kFta, "SlpBaseCost", dkReal48, optional),
    Scalar(vtConstant, kFta, "SlpHireCost", dkReal48, optional),
    Scalar(vtConstant, kFta, "SlpFireCost", dkReal48, optional),
    Scalar(vtConstant, kFta, "RevGrowthBefPer0", dkReal48, optional),
    Scalar(vtConstant, kFta, "SpiBase", dkReal48, optional),
    Scalar(vtConstant, kFta, "SpiCoefMin", dkReal48, optional),
    Scalar(vtConstant, kFta, "SpiCoefPER", dkReal48, optional),
    Scalar(vtConstant, kFta, "SpiLag", dkReal48, optional),
    Scalar(vtConstant, kIndustry, "RnDNbQueries", dkReal48, required),
    Scalar(vtConstant, kIndustry, "AdvExpCoef", dkReal48, optional),
    Scalar(vtConstant, kIndustry, "SlfExpCoef", dkReal48, optional),
    Scalar(vtConstant, kIndustry, "MinBrdForMap", dkReal48, optional),
    Scalar(vtConstant, kIndustry, "NPBgtCoef", dkReal48, optional),
    Scalar(vtConstant, kIndustry, "NPBgtMin", dkReal48, optional),
    Scalar(vtConstant, kIndustry, "NPBgtMax", dkReal48, optional),
    Scalar(vtConstant, kFirm, "HomeFta", dkSmallint, optional),
    Array(vtConstant, kMarket, "SemPosPars", dkReal48, {kSem, "SemPos"}, required),
    Array(vtConstant, kMarket, "SemToMap", dkReal48, {kMap, kSem}, required),
    Array(vtConstant, kMarket, "Technical", dkReal48, {kDim, "TecDimVars"}, required),
    Array(vtConstant, kMarket, "UCParams", dkReal48, {"TecDimVars"}, required),
    Scalar(vtConstant, kMarket, "MinRnDBgtRatio", dkReal48, optional),
    Scalar(vtConstant, kMarket, "MinRnDBgt", dkReal48, optional),
    Scalar(vtConstant, kMarket, "MaxRnDBgt", dkReal48, optional),
    Scalar(vtConstant, kMarket, "MinRUC", dkReal48, optional),
    Scalar(vtConstant, kMarket, "MaxRUC", dkReal48, optional),
    Scalar(vtConstant, kMarket, "MinUCOverEst", dkReal48, optional),
    Scalar(vtConstant, kMarket, "MaxUCOverEst", dkReal48, optional),
    Scalar(vtConstant, kMarket, "MinDBOverEst", dkReal48, optional),
    Scalar(vtConstant, kMarket, "MaxDBOverEst", dkReal48, optional),
    Array(vtConstant, kFtaMarket, "ChannelPars", dkReal48, {"ChaParams", kCha}, required),
    Array(vtConstant, kFtaMarket, "IniPosIP", dkReal48, {kSeg, kSem}, required),
    Array(vtConstant, kFtaMarket, "MvtPosIP", dkReal48, {kSeg, kSem}, required),
    Array(vtConstant, kFtaMarket, "MaxSegSize", dkReal48, {kSeg}, required),
    Array(vtConstant, kFtaMarket, "SegGrowth", dkReal48, {"Periods", kSeg}, optional),
    Array(vtConstant, kFtaMarket, "StuMktParams", dkReal48, {"StuMkt", "StuInfos"}, required),
    Scalar(vtConstant, kFtaMarket, "MaxPriVar1", dkReal48, optional),
    Scalar(vtConstant, kFtaMarket, "ExpEffReduc", dkReal48, optional),
    Scalar(vtConstant, kFtaMarket, "ExpEffMult", dkReal48, optional),
    Scalar(vtConstant, kFtaMarket, "ExpEffBatch", dkReal48, optional),
    Scalar(vtConstant, kFtaMarket, "AdjustProdPlan", dkReal48, optional),
    Scalar(vtConstant, kFtaMarket, "IHCCoef", dkReal48, optional),
    Scalar(vtConstant, kFtaMarket, "ISCCoef", dkReal48, optional),

    // The results of each period: the firm's loans, reports and messages ...
    Array(vtResults, kFirm, "LoansHist", dkReal48, {"Periods", "LoanTerms"}, required),
    Array(vtResults, kFta, "MsgAdm2All", dkZts, {"MsgAdmLine"}, optional, kFirstPlayed),
    Array(vtResults, kFta, "XFXRes", dkReal48, {kCha, "ChaXFXRes"}, optional, kFirstPlayed),
    Array(vtResults, kFirmFta, "FFXRpt", dkReal48, {"FFXRpt"}, required),
    Array(vtResults, kFirmFta, "MsgAdm2Fir", dkZts, {"MsgAdmLine"}, optional, kFirstPlayed),
    Array(vtResults, kFirmFta, "MsgSim2Fir", dkZts, {"MsgSim", "MsgSKP"}, optional, kFirstPlayed),
    Count(vtResults, kFirmFta, "NbMsgSim", "MsgSim", optional, kFirstPlayed),
    Array(vtResults, kFirmFta, "StuFFXRpt", dkReal48, {"FFXRpt"}, optional, kFirstPlayed),
    // ... its prototypes in each market ...
    Count(vtResults, kFirmMarket, "NbPros", "Prototype", required),
    Array(vtResults, kFirmMarket, "ProNames", dkZts, {"Prototype"}, required),
    Array(vtResults, kFirmMarket, "ProTecs", dkReal48, {"Prototype", kDim}, required),
    Array(vtResults, kFirmMarket, "ProFins", dkReal48, {"Prototype", "ProFinances"}, required),
    // ... each market's brands, their links, positions and sales ...
    Count(vtResults, kFtaMarket, "NbMktedBrds", "MktBrand", required),
    Array(vtResults, kFtaMarket, "BrdNames", dkZts, {"MktBrand"}, required),
    Links(vtResults, kFtaMarket, "XFMLinks", {"MktBrand", "XFMLinks"}, required,
          {{{"pMbix", "MktBrand"}, {"Dfix", "Firms"}, {"Dbix", "FirBrand"}, {"Rfix", "Firms"}, {"Rpix", "Prototype"}}}),
    Scalar(vtResults, kFtaMarket, "MktAge", dkSmallint, required),
    Array(vtResults, kFtaMarket, "BrdPastMSU", dkSmallint, {"PM2PM1", "MktBrand", kSeg}, optional),
    Array(vtResults, kFtaMarket, "BrdTransfCost", dkSmallint, {"MktBrand"}, required),
    Array(vtResults, kFtaMarket, "DisCovIdxs", dkSmallint, {"MktBrand", kCha}, optional),
    Array(vtResults, kFtaMarket, "PosMapBrds", dkSmallint, {"MktBrand", kMap, "PosMapBrd"}, required),
    Array(vtResults, kFtaMarket, "PosSemBrds", dkSmallint, {"MktBrand", kSem, "PosSemBrd"}, required),
    Array(vtResults, kFtaMarket, "PosSemIPs", dkSmallint, {kSeg, kSem, "PosSemIP"}, optional),
    Array(vtResults, kFtaMarket, "SegSales", dkReal48, {kSeg, "UorV"}, required),
    Array(vtResults, kFtaMarket, "SemScales", dkSmallint, {kSem, "MinMax"}, required),
    Array(vtResults, kFtaMarket, "BrdRPrices", dkSmallint, {"MktBrand", kCha}, required, kFirstPlayed),
    Array(vtResults, kFtaMarket, "BrdUSales", dkReal48, {"MktBrand", kSeg, kCha}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "PosMapIPs", dkSmallint, {kSeg, kMap, "PosMapIP"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "SegSizes", dkReal48, {kSeg, "SegSize"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "BrdAvgAwa", dkSmallint, {"MktBrand"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "BrdSegAwa", dkSmallint, {"MktBrand", kSeg}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "BrdSegPI", dkSmallint, {"MktBrand", kSeg}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "SemWeights", dkSmallint, {kSem}, optional, kFirstPlayed),
    // ... and the market studies, each there when it was bought.
    Array(vtResults, kFtaMarket, "StuBrdAdv", dkReal48, {"MktBrand", kSeg}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdAdvTest", dkReal48, {"MktBrand"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdAdvTestSeg", dkSmallint, {"MktBrand", kSeg, "StuAdvTest"}, optional,
          kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdAvgAwa", dkSmallint, {"MktBrand"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdAvgPI", dkSmallint, {"MktBrand"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdAvgUMS", dkSmallint, {"MktBrand"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdAvgVMS", dkSmallint, {"MktBrand"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdChaUMS", dkSmallint, {"MktBrand", kCha}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdChaVMS", dkSmallint, {"MktBrand", kCha}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdSegAwa", dkSmallint, {"MktBrand", kSeg}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdSegPI", dkSmallint, {"MktBrand", kSeg}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdSegUMS", dkSmallint, {"MktBrand", kSeg}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdSegVMS", dkSmallint, {"MktBrand", kSeg}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdSlf", dkReal48, {"MktBrand", kCha}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdSlfTest", dkReal48, {"MktBrand"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuBrdSlfTestCha", dkSmallint, {"MktBrand", kCha, "StuSlfTest"}, optional,
          kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuByingHabits", dkSmallint, {kSeg, kCha}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuCjaUtils", dkSmallint, {kSeg, kSem, "CjaLevel"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuCjaValues", dkSmallint, {kSeg, kSem, "CjaLevel"}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuCjaWeights", dkSmallint, {kSeg, kSem}, optional, kFirstPlayed),
    Array(vtResults, kFtaMarket, "StuDistrCov", dkSmallint, {"MktBrand", kCha}, optional, kFirstPlayed),
    // Each firm's brands of each zone and market, their links and reports.
    Count(vtResults, kFirmFtaMarket, "NbMktedBrds", "FirBrand", required),
    Array(vtResults, kFirmFtaMarket, "FirMktedBrds", dkZts, {"FirBrand"}, optional),
    Array(vtResults, kFirmFtaMarket, "FirMktedPros", dkZts, {"FirBrand"}, optional),
    Links(vtResults, kFirmFtaMarket, "FFMLinks", {"FirBrand", "FFMLinks"}, required,
          {{{"Mbix", "MktBrand"}, {"pDfix", "Firms"}, {"pDbix", "FirBrand"}}}),
    Array(vtResults, kFirmFtaMarket, "BrdRpt", dkReal48, {"FirBrand", "BrdRpt"}, required),
    Array(vtResults, kFirmFtaMarket, "FFMRpt", dkReal48, {"FFMRpt"}, optional),
    Array(vtResults, kFirmFtaMarket, "BrdCumNames", dkZts, {"CumBrand"}, optional),
    Array(vtResults, kFirmFtaMarket, "BrdCumRes", dkReal48, {"CumBrand", "BrdCumRes"}, optional),
    Array(vtResults, kFirmFtaMarket, "Inventory", dkReal48, {"Periods", "FirBrand", "Inventory"}, required),
    Array(vtResults, kFirmFtaMarket, "BrdNDis", dkReal48, {"FirBrand", kCha}, optional, kFirstPlayed),
    Array(vtResults, kFirmFtaMarket, "MostRecentStuBH", dkSmallint, {kSeg, kCha}, optional, kFirstPlayed),
    Array(vtResults, kFirmFtaMarket, "StuFFMRpt", dkReal48, {"FFMRpt"}, optional, kFirstPlayed),
    Array(vtResults, kFirmFtaMarket, "StuFirChaUMS", dkSmallint, {kCha}, optional, kFirstPlayed),
    Array(vtResults, kFirmFtaMarket, "StuFirChaVMS", dkSmallint, {kCha}, optional, kFirstPlayed),
    Array(vtResults, kFirmFtaMarket, "StuFirSegUMS", dkSmallint, {kSeg}, optional, kFirstPlayed),
    Array(vtResults, kFirmFtaMarket, "StuFirSegVMS", dkSmallint, {kSeg}, optional, kFirstPlayed),

    // The decisions of each period: the firm's requests and statuses ...
    Array(vtDecisions, kFirm, "LoanVal", dkReal48, {"LoanTerms"}, required, kFirstPlayed),
    Scalar(vtDecisions, kFirm, "LoanAck", dkSmallint, required, kFirstPlayed),
    Scalar(vtDecisions, kFirm, "BgtChgAck", dkSmallint, required, kFirstPlayed),
    Scalar(vtDecisions, kFirm, "DecStatus", dkSmallint, optional, kFirstPlayed),
    Scalar(vtDecisions, kFirm, "NbQueriesMade", dkSmallint, required, kFirstPlayed),
    // ... its sales force, studies and contracts of each zone ...
    Array(vtDecisions, kFirmFta, "SlfSize", dkReal48, {kCha}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFta, "DecStuFta", dkByte, {"StuFta"}, required, kFirstPlayed),
    Count(vtDecisions, kFirmFta, "NbCcts", "Cct", required, kFirstPlayed),
    Array(vtDecisions, kFirmFta, "CctWhat", dkZts, {"Cct", "CctWhat"}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFta, "CctTerms", dkReal48, {"Cct", "CctFirms", "CctTerms"}, required, kFirstPlayed),
    Scalar(vtDecisions, kFirmFta, "SlfDecStatus", dkSmallint, optional, kFirstPlayed),
    Scalar(vtDecisions, kFirmFta, "StudiesDecStatus", dkSmallint, optional, kFirstPlayed),
    // ... its projects of each market ...
    Count(vtDecisions, kFirmMarket, "NbPrjs", "Projet", required, kFirstPlayed),
    Array(vtDecisions, kFirmMarket, "PrjNames", dkZts, {"Projet"}, required, kFirstPlayed),
    Array(vtDecisions, kFirmMarket, "PrjTecs", dkReal48, {"Projet", kDim}, required, kFirstPlayed),
    Array(vtDecisions, kFirmMarket, "PrjFins", dkReal48, {"Projet", "ProFinances"}, required, kFirstPlayed),
    // ... and its brands of each zone and market.
    Count(vtDecisions, kFirmFtaMarket, "NbMktedBrds", "FirBrand", required, kFirstPlayed),
    Array(vtDecisions, kFirmFtaMarket, "DecBrdPort", dkZts, {"FirBrand", "DecBrdPort"}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFtaMarket, "DecBrdCV3", dkReal48, {"FirBrand", "DecBrdCV3"}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFtaMarket, "SegStrat", dkReal48, {"FirBrand", kSeg}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFtaMarket, "SlfAlloc", dkReal48, {kCha, "FirBrand"}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFtaMarket, "DecStuMkt", dkByte, {"StuMkt"}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFtaMarket, "MPBrdSegSales", dkReal48, {"FirBrand", kSeg}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFtaMarket, "MPBrdChaSales", dkReal48, {"FirBrand", kCha}, required, kFirstPlayed),
    Array(vtDecisions, kFirmFtaMarket, "MPSegSales", dkReal48, {kSeg}, optional, kFirstPlanned),

    // The default decisions of the decision period, which the brand dialogs offer.
    Count(vtDefaults, kFirmFtaMarket, "NbMktedBrds", "FirBrand", optional, kFirstPlanned),
    Array(vtDefaults, kFirmFtaMarket, "DecBrdPort", dkZts, {"FirBrand", "DecBrdPort"}, required, kFirstPlanned),
    Array(vtDefaults, kFirmFtaMarket, "DecBrdCV3", dkReal48, {"FirBrand", "DecBrdCV3"}, required, kFirstPlanned),
    Array(vtDefaults, kFirmFtaMarket, "SegStrat", dkReal48, {"FirBrand", kSeg}, required, kFirstPlanned),
    Array(vtDefaults, kFirmFtaMarket, "SlfAlloc", dkReal48, {kCha, "FirBrand"}, required, kFirstPlanned),
    Array(vtDefaults, kFirmFtaMarket, "MPBrdSegSales", dkReal48, {"FirBrand", kSeg}, optional, kFirstPlanned),
    Array(vtDefaults, kFirmFtaMarket, "MPBrdChaSales", dkReal48, {"FirBrand", kCha}, optional, kFirstPlanned),
};

}  // namespace

int TIndustryRead::DimCount() const {
    return static_cast<int>(std::ranges::count_if(dims, [](TSeriesRef dim) { return !dim.empty(); }));
}

std::span<const TIndustryRead> IndustryReads() { return kReads; }

namespace {

// Names compare as a bag compares them, letter case ignored; the table's
// names are ASCII, so folding ASCII letters finds them.
char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t FoldedHash(std::string_view name) {
    std::size_t hash = 14695981039346656037ULL;
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(Folded(c))) * 1099511628211ULL;
    return hash;
}

bool SameFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::ranges::equal(a, b, [](char x, char y) { return Folded(x) == Folded(y); });
}

// The table's entries by name in a hash of chains, made on first use: every
// name of every cell of a file is looked up while the file is checked.
class TReadLookUp {
public:
    TReadLookUp() : heads_(kBuckets, kNone), next_(std::size(kReads), kNone) {
        for (std::size_t i = std::size(kReads); i-- > 0;) {
            std::uint16_t& head = heads_[FoldedHash(kReads[i].name) & (kBuckets - 1)];
            next_[i] = head;
            head = static_cast<std::uint16_t>(i);
        }
    }
    const TIndustryRead* Find(std::uint16_t set, int category, std::string_view name, TReadForm form) const {
        for (std::uint16_t i = heads_[FoldedHash(name) & (kBuckets - 1)]; i != kNone; i = next_[i]) {
            const TIndustryRead& read = kReads[i];
            if (read.set == set && read.category == category && read.form == form && SameFolded(read.name, name))
                return &read;
        }
        return nullptr;
    }

private:
    static constexpr std::size_t kBuckets = 512;
    static constexpr std::uint16_t kNone = 0xFFFF;
    std::vector<std::uint16_t> heads_;
    std::vector<std::uint16_t> next_;
};

}  // namespace

const TIndustryRead* FindIndustryRead(std::uint16_t set, int category, std::string_view name, TReadForm form) {
    static const TReadLookUp lookUp;
    return lookUp.Find(set, category, name, form);
}

}  // namespace cv

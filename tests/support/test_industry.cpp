#include "tests/support/test_industry.h"

#include <filesystem>
#include <stdexcept>

#include "core/store/industry_file.h"
#include "core/store/series_index.h"
#include "tools/sample_industry/sample_industry.h"
#include "tools/sample_industry/sample_layout.h"

namespace cv::test {
namespace {

// Positions in the series list (the order of AddSeriesList), and one beyond it.
enum : std::int16_t {
    posPeriods, posFirms, posFtas, posMarkets, posDimSon, posDimVod, posSem, posMap, posSegNorth, posSegSouth, posCha,
    posEcoVars, posDeflators, posRestrictCateg, kBadPosition = 99
};

void AddSeriesList(TCvData& industry, const TSmallIndustryShape& shape) {
    std::vector<std::string> periods;
    for (int p = 0; p <= 12; ++p) periods.push_back("P" + std::to_string(p));
    std::vector<std::string> markets{"Sonites", "Vodites"};
    markets.resize(static_cast<std::size_t>(shape.markets), "Other");
    std::vector<std::string> ftas{"North", "South"};
    ftas.resize(static_cast<std::size_t>(shape.ftas), "Far");
    const std::vector<TSeries> list{
        {1, "Periods", 0, periods},
        {2, "Firms", 1, {"Alpha", "Beta", "Gamma", "D\xe9lta"}},
        {3, "Ftas", 1, ftas},
        {4, "Markets", 1, markets},
        {5, "DimSon", 1, {"Weight", "Power"}},
        {6, "DimVod", 1, {"Size", "Speed"}},
        {7, "SemAll", 1, {"Sem1", "Sem2", "Sem3"}},
        {8, "MapAll", 1, {"Economy", "Style"}},
        {9, "SegNorth", 1, {"Buffs", "Singles"}},
        {10, "SegSouth", 1, {"Families", "Pros"}},
        {11, "ChaAll", 1, {"Stores", "Online"}},
        {12, "FtaEcoVars", 1, {"ExchangeRate", "InflationRate", "GnpGrowthRate"}},
        {13, "Deflators", 0, {"General", "Salaries", "Materials"}},
        {14, "RestrictCateg", 1, {"rcDecisions", "StuFta", "StuMkt", "rcAnalysis", "rcNewsletter", "rcReport"}},
        {15, "rcDecisions", 1, {"NoBrdIMW", "NoObjective", "NoRnD", "NoSlf", "NoSlfAssistant", "NoMarketingPlan"}},
        {16, "StuMkt", 1, {"ConsumerSurvey", "ConsumerPanel"}},
        {17, "StuFta", 1, {"Benchmark"}},
        {18, "rcReport", 15, {"NoReport", "NoCompanyResults", "NoBrandResults"}},
    };
    for (const TSeries& series : list) industry.SeriesList().AddSeries(series);
}

void AddSeriesPositions(TCvData& industry, const TSmallIndustryShape& shape) {
    TCvPerData& constant = industry.ConstPart();
    if (shape.withPerSeries) constant.SetSmallint(kCategoryIndustry, {}, "PerSeries", posPeriods);
    constant.SetSmallint(kCategoryIndustry, {}, "FirSeries", posFirms);
    constant.SetSmallint(kCategoryIndustry, {}, "FtaSeries", posFtas);
    constant.SetSmallint(kCategoryIndustry, {}, "MktSeries", posMarkets);
    for (int market = 1; market <= std::min(shape.markets, 3); ++market) {
        const bool bad = shape.badDimPosition && market == 2;
        const std::int16_t dim = bad ? kBadPosition : market == 1 ? posDimSon : posDimVod;
        constant.SetSmallint(kCategoryMarket, CellContext(0, 0, market), "DimSeries", dim);
        constant.SetSmallint(kCategoryMarket, CellContext(0, 0, market), "SemSeries", posSem);
        constant.SetSmallint(kCategoryMarket, CellContext(0, 0, market), "MapSeries", posMap);
    }
    for (int fta = 1; fta <= std::min(shape.ftas, 3); ++fta) {
        constant.SetSmallint(kCategoryFta, CellContext(0, fta, 0), "ChaSeries", posCha);
        for (int market = 1; market <= std::min(shape.markets, 3); ++market)
            constant.SetSmallint(kCategoryFtaMarket, CellContext(0, fta, market), "SegSeries",
                                 fta == 1 ? posSegNorth : posSegSouth);
    }
}

void AddEconomics(TCvData& industry, int fta) {
    TCvPerData& constant = industry.ConstPart();
    const TSeries* periods = industry.SeriesList().GetSeries(posPeriods);
    const TSeries* variables = industry.SeriesList().GetSeries(posEcoVars);
    const TSeries* deflators = industry.SeriesList().GetSeries(posDeflators);
    const long double shift = fta == 1 ? 0 : 1;
    TSimArr& economics = constant.CreateSimArr(kCategoryFta, CellContext(0, fta, 0), "Economics", dkReal48, 0,
                                               {periods, variables});
    TSimArr& cumInflation = constant.CreateSimArr(kCategoryFta, CellContext(0, fta, 0), "CumInflation", dkReal48, 0,
                                                  {periods, deflators});
    for (int p = periods->Lo(); p <= periods->Hi(); ++p) {
        economics.SetReal48({p, 1}, (p == 0 ? 2 : 3) + shift);
        economics.SetReal48({p, 2}, (p + 1) / 64.0L + shift);
        economics.SetReal48({p, 3}, p / 32.0L + shift);
        for (int k = deflators->Lo(); k <= deflators->Hi(); ++k)
            cumInflation.SetReal48({p, k}, p / 16.0L + k / 256.0L + shift);
    }
    if (fta != 1) return;
    TSimArr& deflatFacs = constant.CreateSimArr(kCategoryFta, CellContext(0, fta, 0), "DeflatFacs", dkReal48, 0,
                                                {periods, deflators});
    for (int p = periods->Lo(); p <= periods->Hi(); ++p)
        for (int k = deflators->Lo(); k <= deflators->Hi(); ++k) deflatFacs.SetReal48({p, k}, k / 128.0L);
}

void AddRestrictions(TCvData& industry) {
    TCvPerData& constant = industry.ConstPart();
    const TSeries* categories = industry.SeriesList().GetSeries(posRestrictCateg);
    TSimArr& enabled = constant.CreateSimArr(kCategoryIndustry, {}, "RestrictEnabled", dkWord, 0, {categories});
    enabled.SetWord({categories->IndexOf("rcDecisions")}, 4);
    enabled.SetWord({categories->IndexOf("rcReport")}, 0xFFFF);
    TSimArr& hidden = constant.CreateSimArr(kCategoryIndustry, {}, "RestrictHidden", dkWord, 0, {categories});
    hidden.SetWord({categories->IndexOf("StuMkt")}, 1);
}

}  // namespace

void WriteSmallIndustry(const std::string& fileName, const TSmallIndustryShape& shape) {
    TCvData industry;
    industry.Open(std::string(kIndustrySignature), fileName);
    industry.SetCurPeriod(4);
    industry.SetScenarioName("Growth");
    AddSeriesList(industry, shape);
    AddSeriesPositions(industry, shape);
    industry.ConstPart().SetSmallint(kCategoryIndustry, {}, "IndVersion", 3);
    industry.ConstPart().SetString(kCategoryIndustry, {}, "BasicScenName", "basic");
    for (int fta = 1; fta <= std::min(shape.ftas, 2); ++fta) AddEconomics(industry, fta);
    AddRestrictions(industry);
    industry.Close();
}

void CreateIndustrySet(TVolSet& volumes, const std::string& file) {
    volumes.Create(file, std::string(kIndustrySignature));
    for (const TIndustryKey& key : kIndustryKeys) volumes.AddKey(std::string(key.name), key.low, key.high);
}

TDataContext CellContext(int firm, int zone, int market) {
    TDataContext context;
    context.SelFirm = static_cast<std::int16_t>(firm);
    context.SelFta = static_cast<std::int16_t>(zone);
    context.SelMarket = static_cast<std::int16_t>(market);
    return context;
}

TSeries& AddSeries(TCvData& industry, std::string_view name, std::int16_t lo, const std::vector<std::string>& labels) {
    TCvSeries& list = industry.SeriesList();
    const auto id = static_cast<std::uint16_t>(list.Count() + 1);
    return list.AddSeries(TSeries(id, name, lo, labels));
}

TSeries& AddIndexedSeries(TCvData& industry, std::string_view name) {
    for (const TSeriesIndexEntry& entry : SeriesIndexTable()) {
        if (entry.name != name) continue;
        return AddSeries(industry, name, 1, std::vector<std::string>(entry.elements.begin(), entry.elements.end()));
    }
    throw std::invalid_argument("not a series of the index table: " + std::string(name));
}

void IndexSeries(const TCvData& industry) { InitSeriesIndexes(industry.SeriesList()); }

OpenSampleIndustry::OpenSampleIndustry(const sample::TSampleVariant& variant) {
    const std::filesystem::path file = sample::WriteSampleIndustryFile(dir_.path(), variant);
    industry_.Open(std::string(kIndustrySignature), file.string());
    industry_.InitSeries();
}

const std::vector<sample::TSampleVariant>& EverySampleVariant() {
    using sample::TSampleDecisions;
    using sample::TSampleRestrictions;
    static const std::vector<sample::TSampleVariant> variants = [] {
        std::vector<sample::TSampleVariant> list;
        for (TSampleDecisions decisions : {TSampleDecisions::Sample, TSampleDecisions::Fresh, TSampleDecisions::Complete})
            for (TSampleRestrictions restrictions :
                 {TSampleRestrictions::None, TSampleRestrictions::Several, TSampleRestrictions::NoSlf,
                  TSampleRestrictions::NoMarketingPlan, TSampleRestrictions::StudyHidden,
                  TSampleRestrictions::NoBenchmarking})
                list.push_back({decisions, restrictions});
        return list;
    }();
    return variants;
}

std::string VariantName(const sample::TSampleVariant& variant) {
    return "decisions" + std::to_string(static_cast<int>(variant.decisions)) + "_restrictions" +
           std::to_string(static_cast<int>(variant.restrictions));
}

OpenSampleIndustry::~OpenSampleIndustry() {
    try {
        industry_.Close();
    } catch (const std::exception&) {
        // The temporary copy goes with the directory; a failed save loses nothing.
    }
}

TDataContext OpenSampleIndustry::Context(int firm, int zone) {
    TDataContext context;
    context.SelFirm = static_cast<std::int16_t>(firm);
    context.SelFta = static_cast<std::int16_t>(zone);
    context.CurPeriod = sample::kCurrentPeriod;
    context.DecPeriod = sample::kDecisionPeriod;
    return context;
}


void CopyIndustryWithout(const std::string& source, const std::string& target, int volType) {
    TVolSet from;
    from.OpenReadOnly(source);
    TVolSet to;
    CreateIndustrySet(to, target);
    for (int position = 0; position < from.VolumeCount(); ++position) {
        const TTabVol entry = from.Entry(position);
        if (entry.keys[0] == volType) continue;
        const std::uint8_t* data = nullptr;
        std::uint16_t size = 0;
        from.VolumeGetAt(position, data, size);
        to.VolumeSet(data, size, TVolKeys(entry.keys.data(), kIndustryKeyCount));
    }
    to.Close();
    from.Close();
}

}  // namespace cv::test

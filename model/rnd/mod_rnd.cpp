#include "model/rnd/mod_rnd.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "core/base/numbers.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "model/model_access.h"
#include "model/rnd/rnd_columns.h"

namespace cv {

namespace {

// "HomeFta" read when the firm has none: not a zone, so that it is told apart.
constexpr std::int16_t kNoHomeFta = INT16_MIN;

template <class Columns>
struct TColumnLabel {
    std::string_view label;
    std::uint8_t Columns::*column;
};

constexpr TColumnLabel<TProFinColumns> kProFinLabels[] = {
    {"ProDecStatus", &TProFinColumns::ProDecStatus},
    {"ProReqUC", &TProFinColumns::ProReqUC},
    {"ProOldReqUC", &TProFinColumns::ProOldReqUC},
    {"ProStdUC", &TProFinColumns::ProStdUC},
    {"ProMinUC", &TProFinColumns::ProMinUC},
    {"ProMinUCRQ", &TProFinColumns::ProMinUCRQ},
    {"ProCumBgt", &TProFinColumns::ProCumBgt},
    {"ProReqBgt", &TProFinColumns::ProReqBgt},
    {"ProReqBgtRQ", &TProFinColumns::ProReqBgtRQ},
    {"ProAllBgt", &TProFinColumns::ProAllBgt},
    {"ProCumProd", &TProFinColumns::ProCumProd},
    {"ProAllBgtOther", &TProFinColumns::ProAllBgtOther},
    {"ProDeveloper", &TProFinColumns::ProDeveloper},
    {"ProPartner", &TProFinColumns::ProPartner},
    {"ProPreMkt", &TProFinColumns::ProPreMkt},
    {"ProManCap", &TProFinColumns::ProManCap},
    {"ProPerBeg", &TProFinColumns::ProPerBeg},
    {"ProPerEnd", &TProFinColumns::ProPerEnd},
};

constexpr TColumnLabel<TTecDimColumns> kTecDimLabels[] = {
    {"TDMinLev", &TTecDimColumns::TDMinLev},   {"TDMaxLev", &TTecDimColumns::TDMaxLev},
    {"TDDevBgt", &TTecDimColumns::TDDevBgt},   {"TDUnitCost", &TTecDimColumns::TDUnitCost},
    {"TDSuc2Muc", &TTecDimColumns::TDSuc2Muc},
};

struct TRealParameter {
    std::string_view name;
    double TModRnD::*field;
    double defaultValue;
};

constexpr TRealParameter kRealParameters[] = {
    {"MinRnDBgtRatio", &TModRnD::MinRnDBgtRatio, 0.8},
    {"MinRnDBgt", &TModRnD::MinRnDBgt, 100000},
    {"MaxRnDBgt", &TModRnD::MaxRnDBgt, 20000000},
    {"MinUCOverEst", &TModRnD::MinUCOverEst, 0},
    {"MaxUCOverEst", &TModRnD::MaxUCOverEst, 0},
    {"MinDBOverEst", &TModRnD::MinDBOverEst, 0},
    {"MaxDBOverEst", &TModRnD::MaxDBOverEst, 0},
};

struct TIntegerParameter {
    std::string_view name;
    std::int32_t TModRnD::*field;
    double defaultValue;
};

constexpr TIntegerParameter kIntegerParameters[] = {
    {"MinRUC", &TModRnD::MinRUC, 10},
    {"MaxRUC", &TModRnD::MaxRUC, 1500},
};

template <class Columns, std::size_t N>
void LocateColumns(Columns& columns, const TSeries* series, const TColumnLabel<Columns> (&labels)[N]) {
    for (const TColumnLabel<Columns>& entry : labels) columns.*entry.column = ColumnOf(series, entry.label);
}

// Rows 1..slots exist in every list.
int ListSlots(std::initializer_list<const TSimArr*> lists) {
    int slots = INT_MAX;
    for (const TSimArr* list : lists) slots = RowCapacity(list, slots);
    return slots;
}

std::int32_t RoundedInteger(long double value) {
    const long double rounded = RoundHalfEven(value);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) throw ERangeError();
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

void TModRnD::Init(TCvInd& data, const TDataContext& context) {
    // Bound on a copy: a failure leaves this object as it was.
    TModRnD bound;
    bound.WorkRec = WorkRec;
    bound.Data = &data;
    bound.Context = context;
    bound.Context.SelFta = HomeFta(data, context.SelFirm);
    if (columnsOf_ == &data) {
        bound.Projet = Projet;
        bound.TecDimVars = TecDimVars;
        bound.ProFinances = ProFinances;
        bound.ResearchCateg = ResearchCateg;
        bound.Tec = Tec;
        bound.Fin = Fin;
    } else {
        bound.FindColumns();
    }
    bound.columnsOf_ = &data;
    const TCvPerData& constant = data.ConstPart();
    bound.Technical = &RequireArr(constant, kCategoryMarket, bound.Context, "Technical");
    bound.UCParams = &RequireArr(constant, kCategoryMarket, bound.Context, "UCParams");
    bound.ReadParameters();
    bound.ResCur = &data.PerResults(bound.Context.SelPeriod);
    bound.ResNext = &data.PerResults(data.DecPeriod());
    bound.DecNext = &data.PerDecisions(data.DecPeriod());
    bound.BindProjects();
    bound.BindPrototypes(*bound.ResCur);
    *this = bound;
}

std::int16_t TModRnD::HomeFta(const TCvInd& data, int firm) {
    TDataContext context;
    context.SelFirm = static_cast<std::int16_t>(firm);
    const int zones = std::max(1, static_cast<int>(data.NbFtas()));
    const std::int16_t stored = data.ConstPart().GetSmallintDef(kCategoryFirm, context, "HomeFta", kNoHomeFta);
    if (stored >= 1 && stored <= zones) return stored;
    const auto zone = static_cast<std::int16_t>(std::clamp(static_cast<int>(stored), 1, zones));
    if (stored == kNoHomeFta)
        LogFmt(0, "HomeFta missing for firm %d: zone %d used", {firm, zone});
    else
        LogFmt(0, "HomeFta %d of firm %d is not a zone in 1..%d: zone %d used", {stored, firm, zones, zone});
    return zone;
}

void TModRnD::FindColumns() {
    Projet = Data->FindSeries("Projet");
    TecDimVars = Data->FindSeries("TecDimVars");
    ProFinances = Data->FindSeries("ProFinances");
    ResearchCateg = ColumnOf(Data->FindSeries("CostCategs"), "Research");
    LocateColumns(Fin, ProFinances, kProFinLabels);
    LocateColumns(Tec, TecDimVars, kTecDimLabels);
}

void TModRnD::ReadParameters() {
    const TCvPerData& constant = Data->ConstPart();
    for (const TRealParameter& parameter : kRealParameters)
        this->*parameter.field =
            static_cast<double>(constant.GetRealDef(kCategoryMarket, Context, parameter.name, parameter.defaultValue));
    for (const TIntegerParameter& parameter : kIntegerParameters)
        this->*parameter.field =
            RoundedInteger(constant.GetRealDef(kCategoryMarket, Context, parameter.name, parameter.defaultValue));
}

void TModRnD::BindProjects() {
    PrjNames = &RequireArr(*DecNext, kCategoryFirmMarket, Context, "PrjNames");
    PrjTecs = &RequireArr(*DecNext, kCategoryFirmMarket, Context, "PrjTecs");
    PrjFins = &RequireArr(*DecNext, kCategoryFirmMarket, Context, "PrjFins");
    NbPrjs = ReadCount(*DecNext, Context, "NbPrjs", ProjectSlots());
}

void TModRnD::BindPrototypes(TCvPerData& set) {
    TSimArr& names = RequireArr(set, kCategoryFirmMarket, Context, "ProNames");
    TSimArr& tecs = RequireArr(set, kCategoryFirmMarket, Context, "ProTecs");
    TSimArr& fins = RequireArr(set, kCategoryFirmMarket, Context, "ProFins");
    NbPros = ReadCount(set, Context, "NbPros", ListSlots({&names, &tecs, &fins}));
    ProNames = &names;
    ProTecs = &tecs;
    ProFins = &fins;
}

int TModRnD::ProjectSlots() const { return ListSlots({PrjNames, PrjTecs, PrjFins}); }

// A stored count beyond its lists would make every loop over them leave the
// arrays: it is cut to the lists, with a log line.
std::int32_t TModRnD::ReadCount(const TCvPerData& set, const TDataContext& context, std::string_view name,
                                int slots) const {
    const std::int16_t stored = set.GetSmallint(kCategoryFirmMarket, context, name);
    if (stored >= 0 && stored <= slots) return stored;
    const int count = std::clamp(static_cast<int>(stored), 0, slots);
    LogFmt(0, "%s = %d outside 0..%d in %s: %d used",
           {name, stored, slots, set.DescribeCell(kCategoryFirmMarket, context), count});
    return count;
}

int TModRnD::PrototypeCapacity() const {
    if (!ProNames) return 0;
    return std::min(kMaxPrototypes, ListSlots({ProNames, ProTecs, ProFins}));
}

}  // namespace cv

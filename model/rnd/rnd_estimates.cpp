// The cost rules of TModRnD: unit costs of a set of technical levels and the
// development budget a project still requires.

#include <algorithm>
#include <cmath>
#include <string>

#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/base/random_generator.h"
#include "model/rnd/mod_rnd.h"

namespace cv {

namespace {

// Seeds of the over-estimation draws: (decision period + offset) x factor x
// firm x zone x market, one for unit costs and one for budgets.
constexpr int kUCSeedOffset = 19;
constexpr int kUCSeedFactor = 97;
constexpr int kBudgetSeedOffset = 13;
constexpr int kBudgetSeedFactor = 101;

// Unit costs are whole money units; budgets multiples of 10,000.
constexpr double kUnitCostStep = 1;
constexpr double kBudgetStep = 10000;

// An over-estimated development budget grows faster than linearly when the
// requested unit cost lies below this share of the way from the minimum to
// the standard unit cost, up to the exponent 1 + kSteepening at the minimum.
constexpr double kThresholdShare = 0.25;
constexpr double kSteepening = 0.1;

std::uint64_t Wrapped(long long factor) { return static_cast<std::uint64_t>(factor); }

}  // namespace

const TSeries& TModRnD::Dimensions() const {
    if (!Data) throw EModelError("TModRnD used before Init");
    const TSeries* dimensions = Data->DimSeries(Context.SelMarket);
    if (!dimensions) throw EModelError("no dimension series for market " + std::to_string(Context.SelMarket));
    return *dimensions;
}

const TDynArr& TModRnD::TechnicalOr(const TDynArr* technical) const {
    if (technical) return *technical;
    if (!Technical) throw EModelError("TModRnD used before Init");
    return *Technical;
}

const TDynArr& TModRnD::UCParamsOr(const TDynArr* ucParams) const {
    if (ucParams) return *ucParams;
    if (!UCParams) throw EModelError("TModRnD used before Init");
    return *UCParams;
}

// The product is formed modulo 2^64, so it never overflows, and its low 32
// bits are the product modulo 2^32 whatever the signs.
std::uint32_t TModRnD::Seed(int periodOffset, int factor) const {
    const std::uint64_t product = Wrapped(Data->DecPeriod() + periodOffset) * Wrapped(factor) *
                                  Wrapped(Context.SelFirm) * Wrapped(Context.SelFta) * Wrapped(Context.SelMarket);
    return static_cast<std::uint32_t>(product);
}

// Each over-estimation re-seeds the generator before its single draw, so that
// an estimate is the same for the same firm, zone, market and decision period.
double TModRnD::DrawFactor(int periodOffset, int factor, double low, double high) {
    SetRandomSeed(Seed(periodOffset, factor));
    const double draw = RandomReal();
    return 1 + low + draw * (high - low);
}

bool TModRnD::IsFinished(const TDynArr& proFins, int prototype) const {
    return proFins.GetReal48({prototype, Fin.ProReqBgt}) == 0;
}

double TModRnD::KnownUC(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, const TDynArr& levels,
                        int row) const {
    double lowest = kUnknownUC;
    for (int prototype = 1; prototype <= nbPros; ++prototype) {
        if (!IsFinished(proFins, prototype) || !levels.RowEquals(proTecs, prototype, row)) continue;
        lowest = std::min(lowest, static_cast<double>(proFins.GetReal48({prototype, Fin.ProReqUC})));
    }
    return lowest;
}

TUnitCosts TModRnD::CalcUCs(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, const TDynArr& levels,
                            int row, const TDynArr* technical, double adjCost, bool overEstimate) {
    const TDynArr& tech = TechnicalOr(technical);
    const TSeries& dimensions = Dimensions();
    TUnitCosts costs;
    for (int dim = dimensions.Lo(); dim <= dimensions.Hi(); ++dim) {
        const double level = levels.GetReal48({row, dim});
        const double unitCost = tech.GetReal48({dim, Tec.TDUnitCost});
        // Where a lower level costs more, the level is mirrored within its range.
        const double costedLevel =
            unitCost > 0 ? level
                         : tech.GetReal48({dim, Tec.TDMaxLev}) + tech.GetReal48({dim, Tec.TDMinLev}) - level;
        const double term = std::fabs(unitCost) * costedLevel;
        costs.Suc += term;
        costs.Muc += tech.GetReal48({dim, Tec.TDSuc2Muc}) * term;
    }
    costs.Suc *= adjCost;
    costs.Muc *= adjCost;
    if (overEstimate && KnownUC(proTecs, proFins, nbPros, levels, row) == kUnknownUC)
        costs.Muc *= DrawFactor(kUCSeedOffset, kUCSeedFactor, MinUCOverEst, MaxUCOverEst);
    LogFmtNoEol(5, "CalcUCs : AdjCost=%.2f  Muc=%.2f   Suc=%.2f", {adjCost, costs.Muc, costs.Suc});
    costs.Suc = RoundToStep(costs.Suc, kUnitCostStep);
    costs.Muc = RoundToStep(costs.Muc, kUnitCostStep);
    LogFmt(5, "       Muc=%.2f   Suc=%.2f", {costs.Muc, costs.Suc});
    return costs;
}

double TModRnD::CalcReqBgt(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, const TDynArr& levels,
                           const TDynArr& levelsFins, int row, const TDynArr* technical, const TDynArr* ucParams,
                           double adjCost, bool overEstimate) {
    const TDynArr& tech = TechnicalOr(technical);
    const TDynArr& uc = UCParamsOr(ucParams);
    const double muc = levelsFins.GetReal48({row, Fin.ProMinUC});
    const double suc = levelsFins.GetReal48({row, Fin.ProStdUC});
    double ruc = levelsFins.GetReal48({row, Fin.ProReqUC});
    LogFmt(3, "   CalcReqBgt: Muc=%.2f   Suc=%.2f   Ruc=%.2f", {muc, suc, ruc});
    // A requested unit cost is costed within [minimum unit cost, highest costed].
    ruc = std::min(ruc, static_cast<double>(uc.GetReal48({Tec.TDMaxLev})));
    ruc = std::max(ruc, muc);
    const double perUnit = uc.GetReal48({Tec.TDDevBgt});
    const double known = KnownUC(proTecs, proFins, nbPros, levels, row);
    double budget = 0;
    if (known == kUnknownUC) {
        LogFmt(3, "   development project");
        budget = DevelopmentBudget(proTecs, proFins, nbPros, levels, row, tech) +
                 UnitCostBudget(suc, muc, ruc, perUnit, overEstimate);
        if (overEstimate) budget *= DrawFactor(kBudgetSeedOffset, kBudgetSeedFactor, MinDBOverEst, MaxDBOverEst);
    } else {
        LogFmt(3, "   cost reduction project - cuc=%.2f", {known});
        budget = ruc > known ? 0 : perUnit * (known - ruc);
    }
    return MaxReal(RoundToStep(budget * adjCost, kBudgetStep), MinRnDBgt);
}

// The technical part: per dimension, the development budget per unit of level
// times the way still to go from the nearest finished prototype.
double TModRnD::DevelopmentBudget(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, const TDynArr& levels,
                                  int row, const TDynArr& technical) const {
    const TSeries& dimensions = Dimensions();
    double budget = 0;
    for (int dim = dimensions.Lo(); dim <= dimensions.Hi(); ++dim) {
        const double level = levels.GetReal48({row, dim});
        const double perLevel = technical.GetReal48({dim, Tec.TDDevBgt});
        const double maxLevel = technical.GetReal48({dim, Tec.TDMaxLev});
        const double minLevel = technical.GetReal48({dim, Tec.TDMinLev});
        // Without any finished prototype: half way from the level (mirrored
        // where the budget runs downwards) to the top of the range.
        const double distance = DistanceToFinished(proTecs, proFins, nbPros, level, dim)
                                    .value_or(perLevel > 0 ? (level + maxLevel) / 2
                                                           : (2 * maxLevel + minLevel - level) / 2);
        budget += std::fabs(perLevel) * distance;
    }
    return budget;
}

std::optional<double> TModRnD::DistanceToFinished(const TDynArr& proTecs, const TDynArr& proFins, int nbPros,
                                                  double level, int dim) const {
    std::optional<double> nearest;
    for (int prototype = 1; prototype <= nbPros; ++prototype) {
        if (!IsFinished(proFins, prototype)) continue;
        const double distance = std::fabs(static_cast<double>(proTecs.GetReal48({prototype, dim})) - level);
        nearest = nearest ? std::min(*nearest, distance) : distance;
    }
    return nearest;
}

// The unit-cost part: PerUnit for each unit the requested cost lies below the
// standard cost (negative above it).
double TModRnD::UnitCostBudget(double suc, double muc, double ruc, double perUnit, bool overEstimate) const {
    const double threshold = muc + kThresholdShare * (suc - muc);
    if (!overEstimate || ruc >= threshold) return perUnit * (suc - ruc);
    const double exponent = 1 + kSteepening * SafeDiv(threshold - ruc, threshold - muc, 0);
    return perUnit * Power(suc - ruc, exponent);
}

}  // namespace cv

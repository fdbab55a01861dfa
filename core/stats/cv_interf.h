#pragma once
// TCvInterf: look-ups over the brands on sale in one zone and market of one
// period, shared by the reports, studies, decision checks, documents and design
// tools. Given a brand it finds the owning firm, the firm's own number for it
// and its report; it tells whether a market has brands at all; and it fits
// brands' map positions against their semantic-scale values.
//
// Nothing is written. Each call names the results set and passes the caller's
// context by value; its zone and market pick the cell (category 7), in which
// brands run 1..n with n its "NbMktedBrds". Column positions are looked up in
// the series-index table. A missing array, or one too small for the
// brands it should hold, raises EDataError naming it; a negative brand count
// raises EDataError too.
//
// Some callers take their results in another order; each such form delegates to
// the operation it reorders.

#include <span>
#include <string_view>

#include "core/store/data_context.h"

namespace cv {

class TCvInd;
class TCvPerData;
class TSimArr;

// The statistics copied out by RegressMapOnSemantic (entries 1..15 of the fit, 0-based here).
inline constexpr int kMapRegressionStatCount = 15;

// What FindBrand answers: the last marketed brand of that name (Brand, 1..n),
// its firm and brand number within the firm (the row of BrdRpt), and that firm's
// "BrdRpt" of the zone and market (nullptr, logged, when the set lacks it). All 0
// and nullptr when no brand has the name.
struct TFoundBrand {
    int Brand = 0;
    int Firm = 0;
    int FirmBrand = 0;
    const TSimArr* BrdRpt = nullptr;
};

class TCvInterf {
public:
    // Reads the semantic scales and result sets of the session's open industry.
    TCvInterf() = default;
    // Reads those of Industry instead.
    explicit TCvInterf(TCvInd& industry) : industry_(&industry) {}

    // "XFMLinks"[Brand, Dfix] and [Brand, Dbix]: the marketing firm and its brand number.
    void BrandLinks(const TCvPerData& results, TDataContext context, int brand, int& firm, int& firmBrand) const;
    // BrandLinks for callers that pass the outputs before the brand.
    void BrandLinksOutFirst(const TCvPerData& results, TDataContext context, int& firm, int& firmBrand,
                            int brand) const;
    // "XFMLinks"[Brand, Rfix] and [Brand, Rpix]: the firm holding the brand's prototype, and its index.
    void BrandLinksAlt(const TCvPerData& results, TDataContext context, int brand, int& protoFirm,
                       int& prototype) const;

    // Walks every brand whose "BrdNames" entry equals Name (ASCII letter case
    // ignored) and answers the last of them.
    TFoundBrand FindBrand(const TCvPerData& results, TDataContext context, std::string_view name) const;
    // The same with the outputs as out arguments.
    void FindBrand(const TCvPerData& results, TDataContext context, std::string_view name, const TSimArr*& brdRpt, int& firm,
                   int& firmBrand) const;
    // The first brand 1..n named Name (ASCII letter case ignored), else -1.
    int BrandIndex(const TCvPerData& results, TDataContext context, std::string_view name) const;

    // Whether the current period's results give the context's market a positive
    // "NbMktedBrds"; false without an open industry.
    bool HasMarketedBrands(const TDataContext& context) const;

    // Least squares of map position "PosMapBrds"[b, Dim, PMStuBrd] / 1000 on the
    // market's S semantic scales "PosSemBrds"[b, s, AttAct] plus a constant, over
    // the n marketed brands: Coef[0..S-1] the slopes, Coef[S] the intercept, SE
    // their standard errors, Stats the 15 statistics (Stats[1] the residual
    // degrees of freedom n - S - 1). When the fit fails (fewer than S + 1 brands,
    // a singular system) the k = S + 1 coefficients and standard errors and all
    // statistics are 0. The result is always true. Coef or SE shorter than S + 1,
    // Stats shorter than 15, or a market without semantic scales raise ERangeError.
    bool RegressMapOnSemantic(const TCvPerData& results, TDataContext context, int dim, std::span<double> coef,
                              std::span<double> se, std::span<double> stats) const;

    // Straight line of "PosMapBrds"[b, Dim, PMStuBrd] / 1000 on "PosSemBrds"[b,
    // Scale, AttAct] over the marketed brands; returns n. Without brands: slope 0,
    // intercept 0, R2 1.
    int RegressMapOnAttribute(const TCvPerData& results, TDataContext context, int scale, int dim, double& slope,
                              double& intercept, double& r2) const;
    // RegressMapOnAttribute with the results in the order R2, intercept, slope.
    int RegressSemanticOnMap(const TCvPerData& results, TDataContext context, int scale, int dim, double& r2,
                             double& intercept, double& slope) const;

    // Straight line of "PosSemBrds"[b, Scale, AttAct] on the perceived value
    // "PosSemBrds"[b, Scale, PSStuBrd] / 1000 over the marketed brands; returns n.
    int RegressAttributeOnPerception(const TCvPerData& results, TDataContext context, int scale, double& slope,
                                     double& intercept, double& r2) const;
    // RegressAttributeOnPerception with the results in the order R2, intercept, slope.
    int RegressSemanticOnTechnical(const TCvPerData& results, TDataContext context, int scale, double& r2,
                                   double& intercept, double& slope) const;

private:
    // The bound industry, else the session's; nullptr when none is open.
    TCvInd* Industry() const;

    TCvInd* industry_ = nullptr;
};

}  // namespace cv

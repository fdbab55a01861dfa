#include "core/stats/cv_interf.h"

#include <string>
#include <utility>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/language/language_file.h"
#include "core/session/session.h"
#include "core/stats/real48_matrix.h"
#include "core/stats/regression.h"

namespace cv {

namespace {

// Study positions on the map and perceived scale values are stored in thousandths.
constexpr long double kThousandths = 1000.0L;

int MarketedBrands(const TCvPerData& results, const TDataContext& context) {
    const int count = results.GetSmallint(kCategoryFtaMarket, context, "NbMktedBrds");
    if (count < 0) throw EDataError("NbMktedBrds is negative: " + std::to_string(count));
    return count;
}

// A market array whose first dimension runs over the brands 1..Brands: a shorter
// one would send every brand beyond it to the array's first element.
const TSimArr& BrandArray(const TCvPerData& results, const TDataContext& context, std::string_view name, int brands) {
    const TSimArr& array = results.GetSimArr(kCategoryFtaMarket, context, name);
    if (array.NDim() < 1 || array.LB(1) > 1 || array.UB(1) < brands)
        throw EDataError(std::string(name) + " holds fewer than the " + std::to_string(brands) + " marketed brands");
    return array;
}

long double FromThousandths(std::int16_t value) { return value / kThousandths; }

// The points of a straight-line fit, one per marketed brand.
struct TBrandPoints {
    std::vector<double> x;
    std::vector<double> y;
};

template <class PointOf>
TBrandPoints CollectPoints(int brands, PointOf pointOf) {
    TBrandPoints points;
    points.x.reserve(static_cast<std::size_t>(brands));
    points.y.reserve(static_cast<std::size_t>(brands));
    for (int brand = 1; brand <= brands; ++brand) {
        const auto [x, y] = pointOf(brand);
        points.x.push_back(static_cast<double>(x));
        points.y.push_back(static_cast<double>(y));
    }
    return points;
}

TLineFit FitPoints(const TBrandPoints& points) {
    return FitLine(static_cast<int>(points.x.size()), points.x, points.y);
}

int FitPoints(const TBrandPoints& points, double& slope, double& intercept, double& r2) {
    const TLineFit fit = FitPoints(points);
    slope = fit.slope;
    intercept = fit.intercept;
    r2 = fit.r2;
    return static_cast<int>(points.x.size());
}

// The regression of a map dimension over the brands: one row per brand, the
// attributes on scales 1..Scales, then 1 for the constant term.
struct TMapFitData {
    TReal48Matrix x;
    TReal48Vector y;
};

TMapFitData MapFitData(const TCvPerData& results, const TDataContext& context, int brands, int scales, int dim) {
    const int k = scales + 1;
    TMapFitData data{TReal48Matrix(brands, k), TReal48Vector(brands)};
    if (brands == 0) return data;
    const TSimArr& semantic = BrandArray(results, context, "PosSemBrds", brands);
    const TSimArr& map = BrandArray(results, context, "PosMapBrds", brands);
    for (int brand = 1; brand <= brands; ++brand) {
        for (int scale = 1; scale <= scales; ++scale)
            data.x.Set(brand, scale, semantic.GetSmallint({brand, scale, si::AttAct}));
        data.x.Set(brand, k, 1);
        data.y.Set(brand, FromThousandths(map.GetSmallint({brand, dim, si::PMStuBrd})));
    }
    return data;
}

// The leading Count values of a 1-based Real48 vector into a 0-based span.
void CopyOut(const TReal48Vector& from, int count, std::span<double> to) {
    for (int i = 1; i <= count; ++i) to[static_cast<std::size_t>(i - 1)] = static_cast<double>(from.Get(i));
}

}  // namespace

TCvInd* TCvInterf::Industry() const {
    if (industry_) return industry_;
    return Session ? Session->Industry() : nullptr;
}

void TCvInterf::BrandLinks(const TCvPerData& results, TDataContext context, int brand, int& firm,
                           int& firmBrand) const {
    const TSimArr& links = results.GetSimArr(kCategoryFtaMarket, context, "XFMLinks");
    firm = links.GetByte({brand, si::Dfix});
    firmBrand = links.GetByte({brand, si::Dbix});
}

void TCvInterf::BrandLinksOutFirst(const TCvPerData& results, TDataContext context, int& firm, int& firmBrand,
                                   int brand) const {
    BrandLinks(results, context, brand, firm, firmBrand);
}

void TCvInterf::BrandLinksAlt(const TCvPerData& results, TDataContext context, int brand, int& protoFirm,
                              int& prototype) const {
    const TSimArr& links = results.GetSimArr(kCategoryFtaMarket, context, "XFMLinks");
    protoFirm = links.GetByte({brand, si::Rfix});
    prototype = links.GetByte({brand, si::Rpix});
}

TFoundBrand TCvInterf::FindBrand(const TCvPerData& results, TDataContext context, std::string_view name) const {
    TFoundBrand found;
    const int brands = MarketedBrands(results, context);
    if (brands == 0) return found;
    const TSimArr& names = BrandArray(results, context, "BrdNames", brands);
    // The walk goes on after a match: of two brands of the same name the last one is answered.
    for (int brand = 1; brand <= brands; ++brand)
        if (SameTextAscii(names.GetZts({brand}), name)) found.Brand = brand;
    if (found.Brand == 0) return found;
    BrandLinks(results, context, found.Brand, found.Firm, found.FirmBrand);
    context.SelFirm = static_cast<std::int16_t>(found.Firm);
    found.BrdRpt = &results.GetSimArr(kCategoryFirmFtaMarket, context, "BrdRpt");
    return found;
}

void TCvInterf::FindBrand(const TCvPerData& results, TDataContext context, std::string_view name, const TSimArr*& brdRpt,
                          int& firm, int& firmBrand) const {
    const TFoundBrand found = FindBrand(results, context, name);
    brdRpt = found.BrdRpt;
    firm = found.Firm;
    firmBrand = found.FirmBrand;
}

int TCvInterf::BrandIndex(const TCvPerData& results, TDataContext context, std::string_view name) const {
    const int brands = MarketedBrands(results, context);
    if (brands == 0) return -1;
    const TSimArr& names = BrandArray(results, context, "BrdNames", brands);
    for (int brand = 1; brand <= brands; ++brand)
        if (SameTextAscii(names.GetZts({brand}), name)) return brand;
    return -1;
}

bool TCvInterf::HasMarketedBrands(const TDataContext& context) const {
    TCvInd* industry = Industry();
    if (!industry) return false;
    return MarketedBrands(industry->PerResults(context.CurPeriod), context) > 0;
}

bool TCvInterf::RegressMapOnSemantic(const TCvPerData& results, TDataContext context, int dim, std::span<double> coef,
                                     std::span<double> se, std::span<double> stats) const {
    const TCvInd* industry = Industry();
    if (!industry) throw EDataError("the semantic scales are unknown: no industry is open");
    const TSeries* scaleSeries = industry->SemSeries(context.SelMarket);
    if (!scaleSeries) throw ERangeError();
    const int scales = scaleSeries->Count();
    const int k = scales + 1;  // the constant term is the last coefficient
    const auto holds = [](std::span<double> values, int count) { return values.size() >= static_cast<std::size_t>(count); };
    if (!holds(coef, k) || !holds(se, k) || !holds(stats, kMapRegressionStatCount)) throw ERangeError();

    const int brands = MarketedBrands(results, context);
    const TMapFitData data = MapFitData(results, context, brands, scales, dim);
    // A failed fit leaves the outputs of MultipleRegression at 0, which are copied
    // all the same: zero coefficients, and zero residual degrees of freedom, which
    // callers read as "not enough observations".
    TReal48Vector fitStats(kMapRegressionStatCount), coefficients(k), errors(k);
    MultipleRegression(brands, k, data.y, data.x, fitStats, coefficients, errors);
    CopyOut(coefficients, k, coef);
    CopyOut(errors, k, se);
    CopyOut(fitStats, kMapRegressionStatCount, stats);
    return true;
}

int TCvInterf::RegressMapOnAttribute(const TCvPerData& results, TDataContext context, int scale, int dim, double& slope,
                                     double& intercept, double& r2) const {
    const int brands = MarketedBrands(results, context);
    TBrandPoints points;
    if (brands > 0) {
        const TSimArr& semantic = BrandArray(results, context, "PosSemBrds", brands);
        const TSimArr& map = BrandArray(results, context, "PosMapBrds", brands);
        points = CollectPoints(brands, [&](int brand) {
            return std::pair{static_cast<long double>(semantic.GetSmallint({brand, scale, si::AttAct})),
                             FromThousandths(map.GetSmallint({brand, dim, si::PMStuBrd}))};
        });
    }
    const TLineFit fit = FitPoints(points);
    slope = fit.slope;
    intercept = fit.intercept;
    // An attribute that does not move with the place on the map (the same for every brand, or
    // every brand at the same place) explains none of it; one point or none stays a flat exact fit.
    r2 = brands >= 2 && !fit.covaries ? 0 : fit.r2;
    return brands;
}

int TCvInterf::RegressSemanticOnMap(const TCvPerData& results, TDataContext context, int scale, int dim, double& r2,
                                    double& intercept, double& slope) const {
    return RegressMapOnAttribute(results, context, scale, dim, slope, intercept, r2);
}

int TCvInterf::RegressAttributeOnPerception(const TCvPerData& results, TDataContext context, int scale, double& slope,
                                            double& intercept, double& r2) const {
    const int brands = MarketedBrands(results, context);
    TBrandPoints points;
    if (brands > 0) {
        const TSimArr& semantic = BrandArray(results, context, "PosSemBrds", brands);
        points = CollectPoints(brands, [&](int brand) {
            return std::pair{FromThousandths(semantic.GetSmallint({brand, scale, si::PSStuBrd})),
                             static_cast<long double>(semantic.GetSmallint({brand, scale, si::AttAct}))};
        });
    }
    return FitPoints(points, slope, intercept, r2);
}

int TCvInterf::RegressSemanticOnTechnical(const TCvPerData& results, TDataContext context, int scale, double& r2,
                                          double& intercept, double& slope) const {
    return RegressAttributeOnPerception(results, context, scale, slope, intercept, r2);
}

}  // namespace cv

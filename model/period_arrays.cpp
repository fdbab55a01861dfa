#include "model/period_arrays.h"

#include <algorithm>

#include "core/store/data_context.h"
#include "core/store/sim_data.h"
#include "core/store/typed_array.h"

namespace cv {

namespace {

using enum TIndexedSeries;

constexpr TPeriodDim kPer{TDimSource::Periods, {}};
constexpr TPeriodDim kCha{TDimSource::Channels, {}};
constexpr TPeriodDim kSeg{TDimSource::Segments, {}};
constexpr TPeriodDim kSem{TDimSource::SemScales, {}};
constexpr TPeriodDim kMap{TDimSource::MapAxes, {}};
constexpr TPeriodDim Ix(TIndexedSeries series) { return {TDimSource::Indexed, series}; }

// Instructor messages hold up to 128 characters, simulation-message parts 16, brand names 8.
constexpr std::uint8_t kMessageLength = 128;
constexpr std::uint8_t kSimPartLength = 16;
constexpr std::uint8_t kNameLength = 8;

constexpr TPeriodArray Counter(int category, std::string_view name) {
    return {category, name, true, dkSmallint, 0, 0, {}};
}
constexpr TPeriodArray Arr(int category, std::string_view name, std::uint8_t kind, TPeriodDim d1) {
    return {category, name, false, kind, 0, 1, {d1}};
}
constexpr TPeriodArray Arr(int category, std::string_view name, std::uint8_t kind, TPeriodDim d1, TPeriodDim d2) {
    return {category, name, false, kind, 0, 2, {d1, d2}};
}
constexpr TPeriodArray Arr(int category, std::string_view name, std::uint8_t kind, TPeriodDim d1, TPeriodDim d2,
                           TPeriodDim d3) {
    return {category, name, false, kind, 0, 3, {d1, d2, d3}};
}
constexpr TPeriodArray Texts(int category, std::string_view name, std::uint8_t length, TPeriodDim d1) {
    return {category, name, false, dkZts, length, 1, {d1}};
}
constexpr TPeriodArray Texts(int category, std::string_view name, std::uint8_t length, TPeriodDim d1, TPeriodDim d2) {
    return {category, name, false, dkZts, length, 2, {d1, d2}};
}

constexpr int kFirm = kCategoryFirm;
constexpr int kFta = kCategoryFta;
constexpr int kFirmFta = kCategoryFirmFta;
constexpr int kFtaMkt = kCategoryFtaMarket;
constexpr int kFirmFtaMkt = kCategoryFirmFtaMarket;
constexpr std::uint8_t kReal = dkReal48;
constexpr std::uint8_t kInt = dkSmallint;
constexpr std::uint8_t kByte = dkByte;

constexpr TPeriodArray kPeriodArrays[] = {
    Arr(kFirm, "LoansHist", kReal, kPer, Ix(LoanTerms)),

    Arr(kFta, "XFXRes", kReal, kCha, Ix(ChaXFXRes)),
    Texts(kFta, "MsgAdm2All", kMessageLength, Ix(MsgAdmLine)),

    Arr(kFirmFta, "FFXRpt", kReal, Ix(FFXRpt)),
    Arr(kFirmFta, "StuFFXRpt", kReal, Ix(FFXRpt)),
    Texts(kFirmFta, "MsgAdm2Fir", kMessageLength, Ix(MsgAdmLine)),
    Counter(kFirmFta, "NbMsgSim"),
    Texts(kFirmFta, "MsgSim2Fir", kSimPartLength, Ix(MsgSim), Ix(MsgSKP)),

    Counter(kFtaMkt, "NbMktedBrds"),
    Texts(kFtaMkt, "BrdNames", kNameLength, Ix(MktBrand)),
    Arr(kFtaMkt, "XFMLinks", kByte, Ix(MktBrand), Ix(XFMLinks)),
    Arr(kFtaMkt, "SegSizes", kReal, kSeg, Ix(SegSize)),
    Arr(kFtaMkt, "SegSales", kReal, kSeg, Ix(UorV)),
    Arr(kFtaMkt, "BrdUSales", kReal, Ix(MktBrand), kSeg, kCha),
    Arr(kFtaMkt, "BrdRPrices", kInt, Ix(MktBrand), kCha),
    Arr(kFtaMkt, "StuBrdSegUMS", kInt, Ix(MktBrand), kSeg),
    Arr(kFtaMkt, "StuBrdChaUMS", kInt, Ix(MktBrand), kCha),
    Arr(kFtaMkt, "StuBrdAvgUMS", kInt, Ix(MktBrand)),
    Arr(kFtaMkt, "StuBrdSegVMS", kInt, Ix(MktBrand), kSeg),
    Arr(kFtaMkt, "StuBrdChaVMS", kInt, Ix(MktBrand), kCha),
    Arr(kFtaMkt, "StuBrdAvgVMS", kInt, Ix(MktBrand)),
    Arr(kFtaMkt, "StuDistrCov", kInt, Ix(MktBrand), kCha),
    Arr(kFtaMkt, "BrdPastMSU", kInt, Ix(PM2PM1), Ix(MktBrand), kSeg),
    Arr(kFtaMkt, "StuByingHabits", kInt, kSeg, kCha),
    Arr(kFtaMkt, "DisCovIdxs", kInt, Ix(MktBrand), kCha),
    Arr(kFtaMkt, "BrdSegAwa", kInt, Ix(MktBrand), kSeg),
    Arr(kFtaMkt, "BrdAvgAwa", kInt, Ix(MktBrand)),
    Arr(kFtaMkt, "StuBrdSegAwa", kInt, Ix(MktBrand), kSeg),
    Arr(kFtaMkt, "StuBrdAvgAwa", kInt, Ix(MktBrand)),
    Arr(kFtaMkt, "BrdSegPI", kInt, Ix(MktBrand), kSeg),
    Arr(kFtaMkt, "StuBrdSegPI", kInt, Ix(MktBrand), kSeg),
    Arr(kFtaMkt, "StuBrdAvgPI", kInt, Ix(MktBrand)),
    Arr(kFtaMkt, "PosSemBrds", kInt, Ix(MktBrand), kSem, Ix(PosSemBrd)),
    Arr(kFtaMkt, "PosSemIPs", kInt, kSeg, kSem, Ix(PosSemIP)),
    Arr(kFtaMkt, "PosMapBrds", kInt, Ix(MktBrand), kMap, Ix(PosMapBrd)),
    Arr(kFtaMkt, "PosMapIPs", kInt, kSeg, kMap, Ix(PosMapIP)),
    Arr(kFtaMkt, "SemWeights", kInt, kSem),
    Arr(kFtaMkt, "SemScales", kInt, kSem, Ix(MinMax)),
    Arr(kFtaMkt, "BrdTransfCost", kInt, Ix(MktBrand)),
    Arr(kFtaMkt, "StuBrdAdv", kReal, Ix(MktBrand), kSeg),
    Arr(kFtaMkt, "StuBrdSlf", kReal, Ix(MktBrand), kCha),
    Arr(kFtaMkt, "StuBrdAdvTestSeg", kInt, Ix(MktBrand), kSeg, Ix(StuAdvTest)),
    Arr(kFtaMkt, "StuBrdAdvTest", kReal, Ix(MktBrand)),
    Arr(kFtaMkt, "StuBrdSlfTestCha", kInt, Ix(MktBrand), kCha, Ix(StuSlfTest)),
    Arr(kFtaMkt, "StuBrdSlfTest", kReal, Ix(MktBrand)),
    Arr(kFtaMkt, "StuCjaValues", kInt, kSeg, kSem, Ix(CjaLevel)),
    Arr(kFtaMkt, "StuCjaUtils", kInt, kSeg, kSem, Ix(CjaLevel)),
    Arr(kFtaMkt, "StuCjaWeights", kInt, kSeg, kSem),

    Counter(kFirmFtaMkt, "NbMktedBrds"),
    Texts(kFirmFtaMkt, "FirMktedBrds", kNameLength, Ix(FirBrand)),
    Texts(kFirmFtaMkt, "FirMktedPros", kNameLength, Ix(FirBrand)),
    Arr(kFirmFtaMkt, "FFMLinks", kByte, Ix(FirBrand), Ix(FFMLinks)),
    Arr(kFirmFtaMkt, "Inventory", kReal, kPer, Ix(FirBrand), Ix(Inventory)),
    Arr(kFirmFtaMkt, "BrdRpt", kReal, Ix(FirBrand), Ix(BrdRpt)),
    Arr(kFirmFtaMkt, "BrdNDis", kReal, Ix(FirBrand), kCha),
    Texts(kFirmFtaMkt, "BrdCumNames", kNameLength, Ix(CumBrand)),
    Arr(kFirmFtaMkt, "BrdCumRes", kReal, Ix(CumBrand), Ix(BrdCumRes)),
    Arr(kFirmFtaMkt, "FFMRpt", kReal, Ix(FFMRpt)),
    Arr(kFirmFtaMkt, "StuFFMRpt", kReal, Ix(FFMRpt)),
    Arr(kFirmFtaMkt, "MostRecentStuBH", kInt, kSeg, kCha),
    Arr(kFirmFtaMkt, "StuFirSegUMS", kInt, kSeg),
    Arr(kFirmFtaMkt, "StuFirChaUMS", kInt, kCha),
    Arr(kFirmFtaMkt, "StuFirSegVMS", kInt, kSeg),
    Arr(kFirmFtaMkt, "StuFirChaVMS", kInt, kCha),
};

}  // namespace

std::span<const TPeriodArray> PeriodArrays() { return kPeriodArrays; }

namespace {

TPeriodCellNames CellNamesOf(int category) {
    TPeriodCellNames names;
    const auto byBagOrder = [](std::string_view a, std::string_view b) { return CompareNames(a, b) < 0; };
    for (const TPeriodArray& entry : kPeriodArrays) {
        if (entry.category != category) continue;
        (entry.scalar ? names.counters : names.arrays).push_back(entry.name);
    }
    std::sort(names.counters.begin(), names.counters.end(), byBagOrder);
    std::sort(names.arrays.begin(), names.arrays.end(), byBagOrder);
    for (std::string_view name : names.arrays) {
        const auto isThisArray = [&](const TPeriodArray& entry) {
            return entry.category == category && !entry.scalar && entry.name == name;
        };
        names.arrayEntries.push_back(static_cast<std::size_t>(
            std::find_if(std::begin(kPeriodArrays), std::end(kPeriodArrays), isThisArray) - std::begin(kPeriodArrays)));
    }
    return names;
}

}  // namespace

const TPeriodCellNames& PeriodCellNames(int category) {
    static const std::array<TPeriodCellNames, kCategoryFirmFtaMarket + 1> kNames = [] {
        std::array<TPeriodCellNames, kCategoryFirmFtaMarket + 1> all;
        for (int category = 0; category <= kCategoryFirmFtaMarket; ++category) all[category] = CellNamesOf(category);
        return all;
    }();
    return kNames.at(static_cast<std::size_t>(category));
}

}  // namespace cv

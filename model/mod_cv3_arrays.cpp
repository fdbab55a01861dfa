// TModCV3::CreatePeriodArrays: every result array and counter of t+1, empty.

#include <array>
#include <span>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/text_format.h"
#include "model/mod_cv3.h"
#include "model/model_access.h"

namespace cv {

namespace {

// Every series of the index table that the dictionary uses, checked before anything is created.
void RequireDictionarySeries() {
    for (const TPeriodArray& entry : PeriodArrays())
        for (int d = 0; d < entry.nDims; ++d)
            if (entry.dims[d].source == TDimSource::Indexed) RequireIndexedSeries({entry.dims[d].indexed});
}

TSeries* RequireSeries(TSeries* series, std::string_view what, int index) {
    if (!series) throw EModelError(FormatText("no %s series for %d", {what, index}));
    return series;
}

}  // namespace

// Cells are walked firm arrays first, then per zone the zone arrays, the firm
// and zone arrays, and per market the market arrays and the firm arrays of the
// market; the driver's channel, segment, map, semantic and dimension series
// follow the zone and market being created.
void TModCV3::CreatePeriodArrays() {
    if (!PerSeries()) throw EModelError("the industry has no period series");
    RequireDictionarySeries();
    const int firms = ClampCount(*this, Data()->NbFirms(), kMaxModelFirms, "number of firms");
    TDataContext cell = Ctx();
    cell.SelFta = cell.SelMarket = 0;
    for (int firm = 1; firm <= firms; ++firm) {
        cell.SelFirm = static_cast<std::int16_t>(firm);
        CreateCellArrays(kCategoryFirm, cell);
    }
    for (int fta = 1; fta <= Data()->NbFtas(); ++fta) {
        cell.SelFta = static_cast<std::int16_t>(fta);
        cell.SelFirm = cell.SelMarket = 0;
        SelectChannels(RequireSeries(Data()->ChaSeries(fta), "channel series of zone", fta));
        CreateCellArrays(kCategoryFta, cell);
        for (int firm = 1; firm <= firms; ++firm) {
            cell.SelFirm = static_cast<std::int16_t>(firm);
            CreateCellArrays(kCategoryFirmFta, cell);
        }
        for (int mkt = 1; mkt <= Data()->NbMarkets(); ++mkt) {
            cell.SelMarket = static_cast<std::int16_t>(mkt);
            cell.SelFirm = 0;
            SelectMarketSeries(RequireSeries(Data()->SegSeries(fta, mkt), "segment series of market", mkt),
                               RequireSeries(Data()->MapSeries(mkt), "map series of market", mkt),
                               RequireSeries(Data()->SemSeries(mkt), "semantic series of market", mkt),
                               RequireSeries(Data()->DimSeries(mkt), "dimension series of market", mkt));
            CreateCellArrays(kCategoryFtaMarket, cell);
            for (int firm = 1; firm <= firms; ++firm) {
                cell.SelFirm = static_cast<std::int16_t>(firm);
                CreateCellArrays(kCategoryFirmFtaMarket, cell);
            }
        }
    }
    spentForecast_.reset();
}

// A cell that the last forecast left is taken over without what the steps
// added to it; when it holds every array of this category, the arrays keep
// their storage and are made empty again, otherwise it is emptied and filled afresh.
void TModCV3::CreateCellArrays(int category, const TDataContext& cell) {
    if (!spentForecast_) spentForecast_ = std::make_unique<TCvPerData>();
    const TPeriodCellNames& names = PeriodCellNames(category);
    TSimData* kept = ResultsT1()->AdoptCell(*spentForecast_, category, cell);
    if (kept) kept->KeepOnly(names.counters, names.arrays);
    if (kept && kept->ArrayCount() != static_cast<int>(names.arrays.size())) {
        TSimData().Swap(*kept);
        kept = nullptr;
    }
    if (!kept && CopyFirmBefore(category, cell, names)) return;
    const std::span<const TPeriodArray> entries = PeriodArrays();
    for (const TPeriodArray& entry : entries)
        if (entry.category == category && entry.scalar) ResultsT1()->SetSmallint(category, cell, entry.name, 0);
    // A cell that its counters made takes room for all its arrays at once.
    if (!kept)
        if (TSimData* made = ResultsT1()->Cell(CalcIndices(category, cell))) made->ReserveArrays(names.arrays.size());
    for (std::size_t place = 0; place < names.arrayEntries.size(); ++place) {
        const TPeriodArray& entry = entries[names.arrayEntries[place]];
        std::array<const TSeries*, kMaxDims> dims{};
        for (int d = 0; d < entry.nDims; ++d) dims[static_cast<std::size_t>(d)] = DimensionSeries(entry.dims[d]);
        const std::span<const TSeries* const> series(dims.data(), static_cast<std::size_t>(entry.nDims));
        if (kept) {
            TSimArr& array = kept->ArrayAt(static_cast<int>(place));
            array.InitFromSeries(entry.kind, entry.subType, series);
            array.MarkModified();
        } else {
            ResultsT1()->CreateSimArr(category, cell, entry.name, entry.kind, entry.subType, series);
        }
    }
}

// The series, and so every shape, are the same for all firms of a zone and
// market: a firm's cell made afresh copies the cell of the firm before it, just
// made, instead of shaping each array again. The copy is built aside, its lists
// sized once, and exchanged with the cell that storing the first counter makes.
bool TModCV3::CopyFirmBefore(int category, const TDataContext& cell, const TPeriodCellNames& names) {
    if (cell.SelFirm <= 1 || names.counters.empty()) return false;
    TDataContext before = cell;
    --before.SelFirm;
    const TSimData* made = ResultsT1()->Cell(CalcIndices(category, before));
    if (!made || made->ScalarCount() != static_cast<int>(names.counters.size()) ||
        made->ArrayCount() != static_cast<int>(names.arrays.size()))
        return false;
    TSimData copy;
    copy.Assign(*made);
    ResultsT1()->SetSmallint(category, cell, names.counters.front(), 0);
    ResultsT1()->Cell(CalcIndices(category, cell))->Swap(copy);
    return true;
}

const TSeries* TModCV3::DimensionSeries(const TPeriodDim& dim) const {
    switch (dim.source) {
        case TDimSource::Periods: return PerSeries();
        case TDimSource::Channels: return ChaSeries();
        case TDimSource::Segments: return SegSeries();
        case TDimSource::SemScales: return SemSeries();
        case TDimSource::MapAxes: return MapSeries();
        case TDimSource::Indexed: return IndexedSeries(dim.indexed);
    }
    throw EModelError("unknown dimension source");
}

}  // namespace cv

#include "core/store/read_table_check.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/store/industry_file.h"
#include "core/store/industry_reads.h"
#include "core/store/per_data.h"
#include "core/store/read_table_series.h"
#include "core/store/series.h"
#include "core/store/sim_data.h"

namespace cv {
namespace {

constexpr int kGridCells = (kMaxCellFirm + 1) * (kMaxCellZone + 1) * (kMaxCellMarket + 1);
// A cell's next name is sought among the next few of its kind, passing over
// those the cell lacks; any other is looked up and kept at its place, up to a
// limit, so that no order of names in a damaged file makes the search long.
constexpr std::size_t kNamesPassedOver = 32;
constexpr std::size_t kNamesKept = 512;

// The category whose cells are those that depend on what Cell names: firm
// (bit 0), zone (bit 1) and market (bit 2).
int CategoryOf(const TCellIndex& cell) {
    constexpr int kCategories[] = {kCategoryIndustry, kCategoryFirm,       kCategoryFta,        kCategoryFirmFta,
                                   kCategoryMarket,   kCategoryFirmMarket, kCategoryFtaMarket, kCategoryFirmFtaMarket};
    return kCategories[(cell.firm ? 1 : 0) + (cell.zone ? 2 : 0) + (cell.market ? 4 : 0)];
}

// The kinds of position series, as the table names them.
constexpr std::string_view kPositionKinds[] = {"ChaSeries", "SegSeries", "DimSeries", "SemSeries", "MapSeries"};
enum : int { kChannels = 1, kSegments, kDimensions, kSemantics, kMaps };

// Whether A and B hold the same bytes: names and dimension names, of at most
// sixteen characters, compared a word or two at a time.
bool SameBytes(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a.size() < sizeof(std::uint64_t) || a.size() > 2 * sizeof(std::uint64_t)) return a == b;
    const auto word = [](const char* bytes) {
        std::uint64_t value = 0;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    };
    const std::size_t last = a.size() - sizeof(std::uint64_t);
    return word(a.data()) == word(b.data()) && word(a.data() + last) == word(b.data() + last);
}

std::string ReadText(const TIndustryRead& read) {
    return FormatText("%s %s", {read.form == TReadForm::array ? "array" : "scalar", read.name});
}

}  // namespace

TReadTableCheck::TReadTableCheck(const TIndustrySeries& series, const TListSeries& list, int currentPeriod)
    : series_(series), list_(list), reads_(IndustryReads()) {
    const int decisionPeriod = std::min(currentPeriod + 1, kLastStoredPeriod);
    sets_ = {{{vtConstant, kConstantPeriod, kConstantPeriod},
              {vtResults, kFirstResultPeriod, std::min(currentPeriod, kLastStoredPeriod)},
              {vtDecisions, kFirstDecisionPeriod, decisionPeriod},
              {vtDefaults, decisionPeriod, decisionPeriod}}};
    int setsRead = 0;
    for (const TSetRange& set : sets_) setsRead += std::max(set.last - set.first + 1, 0);
    const auto reads = reads_;
    wordsPerCell_ = (reads.size() + 63) / 64;
    metNames_.resize(static_cast<std::size_t>((vtDefaults - vtConstant + 1) * (kCategoryFirmFtaMarket + 1)) * 2);
    const TTableSeriesNames& table = TableSeriesNames();
    std::vector<TResolved> named;
    for (const std::string_view name : table.names) named.push_back(Resolve(name));
    const auto resolved = [&named](int ref) { return ref < 0 ? TResolved{} : named[static_cast<std::size_t>(ref)]; };
    entrySeries_.reserve(reads.size());
    for (std::size_t entry = 0; entry < reads.size(); ++entry) {
        const TTableSeriesNames::TRefs& refs = table.entries[entry];
        TEntrySeries& own = entrySeries_.emplace_back();
        own.dimCount = reads[entry].DimCount();
        for (std::size_t d = 0; d < refs.dims.size(); ++d) own.dims[d] = resolved(refs.dims[d]);
        own.bound = resolved(refs.bound);
        for (std::size_t e = 0; e < refs.elements.size(); ++e) own.elements[e] = resolved(refs.elements[e]);
    }
    held_.assign(static_cast<std::size_t>(setsRead * kGridCells) * wordsPerCell_, 0);
}

int TReadTableCheck::SetIndex(int type, int period) const {
    int set = 0;
    for (const TSetRange& range : sets_) {
        if (range.type == type && period >= range.first && period <= range.last) return set + period - range.first;
        set += std::max(range.last - range.first + 1, 0);
    }
    return -1;
}

std::size_t TReadTableCheck::CellSlot(int set, const TCellIndex& cell) const {
    const int gridCell = (cell.firm * (kMaxCellZone + 1) + cell.zone) * (kMaxCellMarket + 1) + cell.market;
    return static_cast<std::size_t>(set * kGridCells + gridCell) * wordsPerCell_;
}

std::string TReadTableCheck::Here() const {
    return CellText(static_cast<std::uint16_t>(type_), static_cast<std::int16_t>(period_), cell_);
}

void TReadTableCheck::BeginCell(int type, int period, const TCellIndex& cell) {
    type_ = type;
    period_ = period;
    cell_ = cell;
    category_ = CategoryOf(cell);
    const int set = SetIndex(type, period);
    slot_ = set < 0 ? kUnread : CellSlot(set, cell);
    kindOfCell_ = static_cast<std::size_t>((type - vtConstant) * (kCategoryFirmFtaMarket + 1) + category_) * 2;
    metCount_ = {};
    const auto zone = static_cast<std::size_t>(std::max(cell.zone - 1, 0));
    const auto market = static_cast<std::size_t>(std::max(cell.market - 1, 0));
    cellSeries_[kChannels] = series_.channels[zone];
    cellSeries_[kSegments] = series_.segments[zone][market];
    cellSeries_[kDimensions] = series_.dimensions[market];
    cellSeries_[kSemantics] = series_.semantics[market];
    cellSeries_[kMaps] = series_.maps[market];
}

const TIndustryRead* TReadTableCheck::Find(std::string_view name, TReadForm form) {
    const auto f = static_cast<std::size_t>(form);
    const std::vector<TMetName>& met = metNames_[kindOfCell_ + f];
    std::size_t& at = metCount_[f];
    const std::size_t end = std::min(met.size(), at + kNamesPassedOver);
    for (std::size_t next = at; next < end; ++next)
        if (SameBytes(met[next].name, name)) {
            at = next + 1;
            return met[next].read;
        }
    return LookUp(name, form);
}

const TIndustryRead* TReadTableCheck::LookUp(std::string_view name, TReadForm form) {
    const auto f = static_cast<std::size_t>(form);
    std::vector<TMetName>& met = metNames_[kindOfCell_ + f];
    const TIndustryRead* read = FindIndustryRead(static_cast<std::uint16_t>(type_), category_, name, form);
    if (met.size() < kNamesKept)
        met.insert(met.begin() + static_cast<std::ptrdiff_t>(metCount_[f]++), {std::string(name), read});
    return read;
}

// A series named by the table: the period, firm, zone and market series as
// the opening finds them, by their positions; one of the cell's own position
// series by its kind; any other by its name in the list.
TReadTableCheck::TResolved TReadTableCheck::Resolve(std::string_view ref) const {
    const auto kind = std::ranges::find(kPositionKinds, ref);
    if (kind != std::end(kPositionKinds)) return {nullptr, static_cast<int>(kind - std::begin(kPositionKinds)) + 1};
    if (ref == "Periods") return {series_.periods};
    if (ref == "Firms") return {series_.firms};
    if (ref == "Ftas") return {series_.ftas};
    if (ref == "Markets") return {series_.markets};
    return {list_.FindSeries(ref)};
}

void TReadTableCheck::CheckBound(const TIndustryRead& read, const TResolved& bound, long double value, int row,
                                 std::string_view element) const {
    const TSeries* series = Resolve(bound);
    const int high = series ? series->Hi() : 0;
    if (value >= read.low && value <= high) return;
    const std::string where = element.empty() ? std::string() : FormatText("[%d, %s]", {row, element});
    throw EDataError(FormatText("%s%s of the %s is %s, beyond %d..%d",
                                {ReadText(read), where, Here(),
                                 FormatText("%g", {static_cast<double>(value)}), read.low, high}));
}

void TReadTableCheck::CheckDims(const TIndustryRead& read, const TSimArr::TStoredDims& dims) const {
    const TEntrySeries& own = entrySeries_[Entry(read)];
    const int expected = own.dimCount;
    if (expected == 0) return;  // read whatever its shape
    if (dims.nDim != expected) [[unlikely]]
        throw EDataError(FormatText("%s of the %s has %d dimensions, not %d",
                                    {ReadText(read), Here(), dims.nDim, expected}));
    for (std::size_t d = 0; d < static_cast<std::size_t>(expected); ++d) {
        const TSeries* series = Resolve(own.dims[d]);
        if (series == nullptr || dims.lb[d] != series->Lo() || dims.ub[d] != series->Hi() ||
            (!SameBytes(dims.names[d], series->Name()) && CompareNames(dims.names[d], series->Name()) != 0))
            [[unlikely]]
            RefuseDimension(read, dims, d);
    }
}

void TReadTableCheck::RefuseDimension(const TIndustryRead& read, const TSimArr::TStoredDims& dims,
                                      std::size_t d) const {
    const TEntrySeries& own = entrySeries_[Entry(read)];
    const TSeries* series = Resolve(own.dims[d]);
    // A position series is named by the position, as the constant part keeps it.
    std::string expectedText = series ? FormatText("%s (%d..%d)", {series->Name(), series->Lo(), series->Hi()})
                                      : std::string(read.dims[d]);
    if (own.dims[d].position != 0)
        expectedText += ", which " + SeriesPositionText(read.dims[d], cell_.zone, cell_.market) + " names";
    throw EDataError(FormatText("%s of the %s runs over %s (%d..%d) in dimension %d, not over %s",
                                {ReadText(read), Here(), dims.names[d], dims.lb[d],
                                 dims.ub[d], static_cast<int>(d) + 1, expectedText}));
}

// Every element of each bounded column, all rows, within its bound: a row not
// in use holds zeros. The elements are read where they lie when the form is
// laid out as written, else from the array read whole.
void TReadTableCheck::CheckElements(const TIndustryRead& read, const TSimArr::TStoredDims& dims, TGetBuf form,
                                    std::uint16_t at) {
    TSimArr whole;
    if (dims.elements == nullptr) whole.ReadFromBuffer(form, at);
    const auto rows = static_cast<std::size_t>(dims.ub[0] - dims.lb[0] + 1);
    const auto columns = static_cast<std::size_t>(dims.ub[1] - dims.lb[1] + 1);
    TEntrySeries& own = entrySeries_[Entry(read)];
    if (const TSeries* columnSeries = Resolve(own.dims[1]); columnSeries != own.columnSeries || !columnSeries) {
        own.columnSeries = columnSeries;
        for (std::size_t e = 0; e < read.elements.size(); ++e)
            own.columns[e] = columnSeries ? columnSeries->IndexOf(read.elements[e].element) : kLabelAbsent;
    }
    for (std::size_t e = 0; e < read.elements.size() && !read.elements[e].element.empty(); ++e) {
        const int column = own.columns[e];
        if (column < dims.lb[1] || column > dims.ub[1]) continue;  // the series check names it
        const auto offset = static_cast<std::size_t>(column - dims.lb[1]);
        const TSeries* bound = Resolve(own.elements[e]);
        const int high = bound ? bound->Hi() : 0;
        const auto valueAt = [&](std::size_t row) {
            return dims.elements ? dims.elements[row * columns + offset]
                                 : whole.GetByte({dims.lb[0] + static_cast<int>(row), column});
        };
        for (std::size_t row = 0; row < rows; ++row)
            if (const int value = valueAt(row); value < read.low || value > high) [[unlikely]]
                CheckBound(read, own.elements[e], value, dims.lb[0] + static_cast<int>(row), read.elements[e].element);
    }
}

void TReadTableCheck::Note(const TIndustryRead& read) {
    if (slot_ == kUnread) return;
    const std::size_t entry = Entry(read);
    held_[slot_ + entry / 64] |= std::uint64_t{1} << (entry % 64);
}

void TReadTableCheck::Scalar(std::string_view name, TGetBuf value, std::uint16_t at) {
    const TIndustryRead* read = Find(name, TReadForm::scalar);
    if (read == nullptr) return;
    const TSimNumber stored = ReadSimNumber(value, at);
    if (stored.kind != read->kind)
        throw EDataError(FormatText("%s of the %s is of kind %d, not %d",
                                    {ReadText(*read), Here(), stored.kind, read->kind}));
    if (!read->bound.empty()) CheckBound(*read, entrySeries_[Entry(*read)].bound, stored.number);
    Note(*read);
}

bool TReadTableCheck::Array(std::string_view name, const TSimArr::TStoredDims& dims, TGetBuf form, std::uint16_t at) {
    const TIndustryRead* read = Find(name, TReadForm::array);
    if (read == nullptr) return false;
    if (dims.kind != read->kind)
        throw EDataError(FormatText("%s of the %s is of kind %d, not %d",
                                    {ReadText(*read), Here(), dims.kind, read->kind}));
    CheckDims(*read, dims);
    if (!read->elements[0].element.empty()) CheckElements(*read, dims, form, at);
    Note(*read);
    return entrySeries_[Entry(*read)].dimCount > 0;
}

std::vector<const TSeries*> TReadTableCheck::DimensionSeries() const {
    std::vector<const TSeries*> named;
    for (const TEntrySeries& own : entrySeries_)
        for (const TResolved& dim : own.dims)
            if (dim.fixed != nullptr) named.push_back(dim.fixed);
    return named;
}

}  // namespace cv

namespace cv {

// The sets and periods the program reads, and in each the cells of every
// firm, zone and market of the series, as each category selects them.
void TReadTableCheck::CheckEveryCellRead() const {
    const int firms = series_.firms ? series_.firms->Hi() : 0;
    const int zones = series_.ftas ? series_.ftas->Hi() : 0;
    const int markets = series_.markets ? series_.markets->Hi() : 0;
    std::array<std::vector<TCellIndex>, kCategoryFirmFtaMarket + 1> cellsOf;
    ForEachCell([&](const TCellIndex& cell) {
        if (cell.firm <= firms && cell.zone <= zones && cell.market <= markets)
            cellsOf[static_cast<std::size_t>(CategoryOf(cell))].push_back(cell);
    });
    for (const TSetRange& set : sets_)
        for (int period = set.first; period <= set.last; ++period) {
            const int index = SetIndex(set.type, period);
            for (const TIndustryRead& read : reads_) {
                if (read.set != set.type || read.need != TReadNeed::required) continue;
                if (set.type != vtConstant && period < read.firstPeriod) continue;
                const std::size_t entry = Entry(read);
                const std::uint64_t bit = std::uint64_t{1} << (entry % 64);
                for (const TCellIndex& cell : cellsOf[read.category]) {
                    if (held_[CellSlot(index, cell) + entry / 64] & bit) continue;
                    throw EDataError(
                        FormatText("%s missing in the %s", {ReadText(read), CellText(static_cast<std::uint16_t>(set.type), static_cast<std::int16_t>(period), cell)}));
                }
            }
        }
}

}  // namespace cv

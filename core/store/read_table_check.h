#pragma once
// The whole-file check's walk of the table of what the program reads
// (core/store/industry_reads.h) over the cells of an industry file. The
// volumes are met one by one: each name a cell holds that the table lists is
// checked at once against its entry (kind, dimensions, and the bounds of a
// count or of an index-bearing array's elements), and the cell notes it held
// it. After the last volume, every cell the program will read must have held
// every name it reads without a default: each firm of the firm series, zone
// and market of the zone and market series, in the constant part, the results
// of every period up to the current one, the decisions of every period up to
// the decision period and the default decisions of the decision period. A
// lowered volume count, a cell lost or a name changed all show as a name that
// a cell the program reads does not hold.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/byte_buffer.h"
#include "core/store/data_context.h"
#include "core/store/industry_reads.h"
#include "core/store/industry_series.h"
#include "core/store/typed_array.h"

namespace cv {

class TListSeries;

class TReadTableCheck {
public:
    // Series: the industry's cell series in List; CurrentPeriod from its info volume.
    TReadTableCheck(const TIndustrySeries& series, const TListSeries& list, int currentPeriod);

    // The cell of the set of Type (a volume type) and Period whose names follow.
    void BeginCell(int type, int period, const TCellIndex& cell);
    // A scalar of the current cell, its stored form at Value[At].
    void Scalar(std::string_view name, TGetBuf value, std::uint16_t at);
    // An array of the current cell, declaring Dims, its stored form at Form[At];
    // whether the table holds its dimensions to its series (by names and bounds).
    bool Array(std::string_view name, const TSimArr::TStoredDims& dims, TGetBuf form, std::uint16_t at);
    // The series the table's arrays are dimensioned with, other than the cells' position series.
    std::vector<const TSeries*> DimensionSeries() const;
    // EDataError naming the first cell the program reads and the first name
    // it lacks, in the order of the sets and periods, firms, zones and markets.
    void CheckEveryCellRead() const;

private:
    // A series of the table resolved once: a series of the list, or the
    // cell's own position series of a kind.
    struct TResolved {
        const TSeries* fixed = nullptr;
        int position = 0;
    };
    struct TEntrySeries {
        int dimCount = 0;
        std::array<TResolved, kMaxReadDims> dims{};
        TResolved bound;
        std::array<TResolved, kMaxElementBounds> elements{};
        // The columns of the bounded elements in the series of the last
        // dimension, as last looked up there.
        const TSeries* columnSeries = nullptr;
        std::array<int, kMaxElementBounds> columns{};
    };
    TResolved Resolve(std::string_view ref) const;
    const TSeries* Resolve(const TResolved& ref) const { return ref.position ? cellSeries_[ref.position] : ref.fixed; }
    // Value within the read's bound (of element Element of row Row, when given).
    void CheckBound(const TIndustryRead& read, const TResolved& bound, long double value, int row = 0,
                    std::string_view element = {}) const;
    void CheckDims(const TIndustryRead& read, const TSimArr::TStoredDims& dims) const;
    [[noreturn]] void RefuseDimension(const TIndustryRead& read, const TSimArr::TStoredDims& dims,
                                      std::size_t d) const;
    void CheckElements(const TIndustryRead& read, const TSimArr::TStoredDims& dims, TGetBuf form,
                       std::uint16_t at);
    void Note(const TIndustryRead& read);
    // The table's entry of the cell's next name of Form, looked up once per
    // kind of cell: the cells of a set and category hold the same names in
    // the same order, period after period and firm after firm, but for a few
    // that some lack.
    const TIndustryRead* Find(std::string_view name, TReadForm form);
    // Find's look-up in the table, for a name not among the next few met.
    const TIndustryRead* LookUp(std::string_view name, TReadForm form);
    // The place of the set of Type and Period among the sets read; -1 for a
    // set the program does not read.
    int SetIndex(int type, int period) const;
    // Where the notes of Cell of the set at Set begin in Held.
    std::size_t CellSlot(int set, const TCellIndex& cell) const;
    // The cell being met, for messages.
    std::string Here() const;
    std::size_t Entry(const TIndustryRead& read) const { return static_cast<std::size_t>(&read - reads_.data()); }

    const TIndustrySeries& series_;
    const TListSeries& list_;
    std::span<const TIndustryRead> reads_;
    // The sets the program reads, in the order their cells' notes lie in Held:
    // the constant part, the results of periods -1..t, the decisions of
    // periods 0..t+1 and the default decisions of t+1.
    struct TSetRange {
        int type;
        int first;
        int last;
    };
    std::array<TSetRange, 4> sets_{};
    static constexpr std::size_t kUnread = static_cast<std::size_t>(-1);
    // The cell being met and where its notes go.
    int type_ = 0;
    int period_ = 0;
    TCellIndex cell_;
    int category_ = 0;
    std::size_t slot_ = 0;
    // The cell's own position series, by their kind (1..5).
    std::array<const TSeries*, 6> cellSeries_{};
    // The names met in the cells of each set and category, in their order,
    // with their entries, and the place in them after the current cell's
    // last name.
    struct TMetName {
        std::string name;
        const TIndustryRead* read = nullptr;
    };
    std::vector<std::vector<TMetName>> metNames_;
    std::array<std::size_t, 2> metCount_{};
    std::size_t kindOfCell_ = 0;
    // Per table entry, its series.
    std::vector<TEntrySeries> entrySeries_;
    // Per set cell, one bit per table entry it held.
    std::vector<std::uint64_t> held_;
    std::size_t wordsPerCell_ = 0;
};

}  // namespace cv

#pragma once
// TCvPerData: one set of an industry's data (its constant part, or one period's
// results, decisions or default decisions), laid out as a firm x zone x market
// grid whose cells are named-value bags. All program data goes in and out
// through the accessors below, addressed by data category, context and name.
//
// A cell comes into being with the first value stored in it. In the industry
// file each cell that holds anything is one volume (docs/industry_file.md);
// a save writes only the cells that carry a changed mark, and the volume set
// relocates a cell whose stored size changed. A set read from the file builds
// a cell's bag, checking its bytes, when the cell is first used (TCellGrid).

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/store/cell_grid.h"
#include "core/store/data_context.h"
#include "core/store/industry_file.h"
#include "core/store/sim_data.h"
#include "core/store/typed_array.h"

namespace cv {

class TSeries;
class TVolSet;

class TCvPerData {
public:
    // A scratch set of no kind (0) and period 0, with no cells.
    TCvPerData() = default;
    TCvPerData(std::uint16_t what, std::int16_t period) : what_(what), period_(period) {}
    virtual ~TCvPerData() = default;
    TCvPerData(const TCvPerData&) = delete;
    TCvPerData& operator=(const TCvPerData&) = delete;

    // Which set this is (its TVolType) and the period it belongs to
    // (kConstantPeriod for the constant part).
    std::uint16_t What() const { return what_; }
    std::int16_t Period() const { return period_; }

    // Each accessor picks its cell with CalcIndices(Category, Context); indices
    // off the grid (firm 0..6, zone 0..3, market 0..3) raise ERangeError.

    // Setters create the cell if needed and store the value marked as changed.
    void SetSmallint(int category, const TDataContext& context, std::string_view name, std::int16_t value);
    void SetReal(int category, const TDataContext& context, std::string_view name, long double value);
    // A text of up to 255 characters.
    void SetString(int category, const TDataContext& context, std::string_view name, std::string_view value);
    // The value as given, changed mark included.
    void SetScalar(int category, const TDataContext& context, std::string_view name, const TSimValue& value);
    // The cell takes the array; a name already there raises the bag's duplicate error.
    TSimArr& AddSimArr(int category, const TDataContext& context, std::string_view name,
                       std::unique_ptr<TSimArr> array);
    // Adds under Name an all-zero array of Kind and SubType with one dimension
    // per series given (one to five), each spanning its series' bounds.
    TSimArr& CreateSimArr(int category, const TDataContext& context, std::string_view name, std::uint8_t kind,
                          std::uint8_t subType, std::span<const TSeries* const> dimensions);
    // Moves the cell of From that Category and Context select, when it is
    // built, into this set, where that cell must hold nothing; returns it as it
    // was (changed marks included). Nothing moves, and nullptr is returned,
    // when From's cell is empty or not yet built or this set's cell holds
    // something. A set made afresh at every run so takes over the cells of the
    // run before and reuses their storage.
    TSimData* AdoptCell(TCvPerData& from, int category, const TDataContext& context);
    TSimArr& CreateSimArr(int category, const TDataContext& context, std::string_view name, std::uint8_t kind,
                          std::uint8_t subType, std::initializer_list<const TSeries*> dimensions) {
        return CreateSimArr(category, context, name, kind, subType,
                            std::span<const TSeries* const>(dimensions.begin(), dimensions.size()));
    }

    // Getters leave the grid as it is: an absent cell behaves like an empty bag.
    // The plain getters read a name the caller cannot do without: an absent
    // one, or a scalar of another kind than the one read, raises EDataError
    // naming it and the cell ("scalar NbPrjs missing in the decisions of
    // period 4, firm 1, market 1"), so that the action that asked ends with
    // one message instead of going on with nothing.
    std::int16_t GetSmallint(int category, const TDataContext& context, std::string_view name) const;
    long double GetReal(int category, const TDataContext& context, std::string_view name) const;
    std::string GetString(int category, const TDataContext& context, std::string_view name) const;
    // Quiet variants: Default when the scalar is absent.
    // GetRealDef answers the default as a 6-byte real holds it.
    std::int16_t GetSmallintDef(int category, const TDataContext& context, std::string_view name,
                                std::int16_t defaultValue) const;
    long double GetRealDef(int category, const TDataContext& context, std::string_view name,
                           long double defaultValue) const;
    // The stored scalar, or nullptr when the cell lacks it.
    const TSimValue* FindScalar(int category, const TDataContext& context, std::string_view name) const;
    // The typed look-up: with MustExist an absent scalar, or one of another
    // kind than Kind (kAnyKind takes any), raises as the plain getters do;
    // without it an absent scalar reads as all zero.
    void GetScalar(int category, const TDataContext& context, std::string_view name, std::uint8_t kind,
                   bool mustExist, TSimValue& value) const;
    // The array owned by the cell; an absent one raises as the plain getters
    // do. A const set hands out its arrays read-only.
    const TSimArr& GetSimArr(int category, const TDataContext& context, std::string_view name) const;
    TSimArr& GetSimArr(int category, const TDataContext& context, std::string_view name);
    // The array, or nullptr without any report: for what the caller can do without.
    const TSimArr* FindSimArr(int category, const TDataContext& context, std::string_view name) const;
    TSimArr* FindSimArr(int category, const TDataContext& context, std::string_view name);

    // This set's copy of the array Name of Source: an existing array of that name
    // takes the source's content (after a warning in the log), otherwise a new
    // copy is added. When Source lacks the array, EDataError is raised as
    // GetSimArr raises it.
    TSimArr& DupSimArr(const TCvPerData& source, int category, const TDataContext& context, std::string_view name);
    // Stores the scalar Name of Source under the same name here, marked changed
    // so that the copy is saved; returns it. A missing scalar raises EDataError
    // as GetScalar raises it.
    TSimValue CopyScalar(const TCvPerData& source, int category, const TDataContext& context, std::string_view name);
    // For every zone and market where Source has a cell of Firm, this set's cell
    // becomes a deep copy of it, every scalar and array marked changed; the other
    // cells stay as they are.
    void CopyFirmCells(int firm, const TCvPerData& source);
    // Every cell of the grid becomes a deep copy of Source's cell of the same
    // firm, zone and market, every scalar and array marked changed; where Source
    // has no cell, this set's cell becomes empty. All copies are made before any
    // cell is replaced, so a failure (a cell too large to copy, no memory)
    // leaves this set as it was. A built cell that holds scalars and arrays of
    // the same names and shapes as its source takes the copy in its own storage
    // (its arrays keep their identity). Any other cell keeps its copy in the
    // stored form, built on first use, which a save writes as it is; the
    // stored forms of a set's copies share one block, which the next copy
    // reuses when it has room: a set copied into again and again, as the
    // defaults at every forecast, allocates once.
    void CopyAllCells(const TCvPerData& source);
    // A copy of the set to return to when a change over many cells fails half
    // way. KeepCopy makes it as CopyAllCells(*this) would (and fails alike),
    // in the storage of the copy kept before: the set keeps that storage for
    // as long as it lives. ReturnToCopy exchanges the set's cells with the
    // copy's (nothing without a copy), which are built as they are used; the
    // copy is then storage for the next.
    void KeepCopy();
    void ReturnToCopy() noexcept;
    // Exchanges the cells of the two sets; kind and period stay with each set.
    void SwapCells(TCvPerData& other) noexcept {
        cells_.Swap(other.cells_);
        loadedFrom_.swap(other.loadedFrom_);
    }

    // Stores every non-empty cell that carries a changed mark as one volume
    // (marks stay set), a copy not yet built included; a cell not used since
    // it was loaded has none. A cell too large for a volume raises ERangeError
    // naming the file, the volume's keys and the offset of the field that does
    // not fit; failures of the file raise EVolSetError; cells stored before
    // stay stored in the set's memory, nothing is flushed here.
    void SaveToVolSet(TVolSet& volumes) const;
    // Reads the set's cells from their volumes: the cells view the bytes the
    // volume set read, and each becomes the cell's bag, checked, when the cell
    // is first used; a malformed volume then raises EDataError naming the file
    // and the volume's keys, at that use and every later one. The set keeps its
    // previous cells unless every volume reads.
    void LoadFromVolSet(TVolSet& volumes);
    // Writes the set and every cell's contents to the log at level 9 (which
    // builds every cell), when the log takes that level.
    void DumpToLog() const;

    // The cell, built when first used, or nullptr when it holds nothing;
    // ERangeError outside the grid, EDataError for a malformed stored cell. A
    // const set hands out its cells read-only.
    const TSimData* Cell(const TCellIndex& cell) const;
    TSimData* Cell(const TCellIndex& cell);
    bool HasCells() const;

    // "decisions of period 4, firm 1, market 1": the set and the cell that
    // Category and Context select, for messages.
    std::string DescribeCell(int category, const TDataContext& context) const;

private:
    static constexpr int kZones = kMaxCellZone + 1;
    static constexpr int kMarkets = kMaxCellMarket + 1;

    static std::size_t Slot(const TCellIndex& cell);
    TSimData* BuiltCell(const TCellIndex& cell) const;
    const TSimData& CellOrEmpty(int category, const TDataContext& context) const;
    // The scalar Name of the cell, told to the read observer; EDataError when
    // absent or (unless Kind is kAnyKind) of another kind.
    const TSimValue& RequiredScalar(int category, const TDataContext& context, std::string_view name,
                                    std::uint8_t kind) const;
    // Tells the read observer, when one watches, of a read of Name.
    void NoteRead(int category, const TDataContext& context, std::string_view name, bool array, bool withDefault,
                  bool found) const;
    TSimData& CellForStore(int category, const TDataContext& context);
    void SaveCell(TVolSet& volumes, const TCellIndex& cell, const TSimData& bag, std::span<std::uint8_t> buffer) const;

    std::uint16_t what_ = 0;
    std::int16_t period_ = 0;
    // A kept cell is built on first use, also by the const accessors: building
    // changes how a cell is held, not what it holds.
    mutable TCellGrid cells_;
    // The file the kept cells were read from, named when one proves malformed.
    std::string loadedFrom_;
    // KeepCopy's copy; none until one is kept.
    std::unique_ptr<TCvPerData> keptCopy_;
};

// "decisions": the kind of set What (a volume type), for messages.
std::string_view SetKindText(std::uint16_t what);
// "decisions of period 4, firm 1, market 1": the cell of the set of kind What
// and Period, for messages; the constant part has no period.
std::string CellText(std::uint16_t what, std::int16_t period, const TCellIndex& cell);

// The cell whose volume has Keys, when a set's cells have one: the keys beyond
// the fifth are unset and each index lies on the grid (an unset key is index 0).
bool CellOfVolumeKeys(std::span<const std::int16_t> keys, TCellIndex& cell);

// Calls Visit(cell) for every cell of the grid, firm outermost and market innermost.
template <class Visitor>
void ForEachCell(Visitor&& visit) {
    for (std::int16_t firm = 0; firm <= kMaxCellFirm; ++firm)
        for (std::int16_t zone = 0; zone <= kMaxCellZone; ++zone)
            for (std::int16_t market = 0; market <= kMaxCellMarket; ++market) visit(TCellIndex{firm, zone, market});
}

}  // namespace cv

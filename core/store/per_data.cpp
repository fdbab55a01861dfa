#include "core/store/per_data.h"
#include "core/base/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "core/store/read_observer.h"
#include "core/store/volume_set.h"
#include "core/base/errors.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "core/base/ui_services.h"

namespace cv {

namespace {

constexpr std::string_view kOutOfMemoryText =
    "Out of memory in CopyFile ! Close other applications and restart Corvantis3";
constexpr int kDumpLogLevel = 9;
// A text scalar stored by SetString takes up to 255 characters.
constexpr std::uint8_t kStringMaxLen = 0;

// The bag that answers for a cell that holds nothing.
const TSimData& EmptyBag() {
    static const TSimData empty;
    return empty;
}

// What Allocate answers; running out of memory shows the box that says so and
// ends the operation silently.
template <class Allocate>
auto AllocatedOrAbort(Allocate&& allocate) {
    try {
        return allocate();
    } catch (const std::bad_alloc&) {
        Ui().ShowErrorBox(std::string(kOutOfMemoryText));
        throw ESilentAbort("Out of memory");
    }
}

std::vector<std::uint8_t> AllocateSaveBuffer() {
    return AllocatedOrAbort([] { return std::vector<std::uint8_t>(kBufSize); });
}

std::string KeysText(const TIndustryKeys& keys) {
    return FormatText("(type %d, period %d, zone %d, market %d, firm %d)",
                      {keys[0], keys[1], keys[2], keys[3], keys[4]});
}

// "<range error>: a field of N bytes at offset P ends past the B bytes of a volume".
std::string FieldPastVolumeText(const EBufferFullError& error) {
    return FormatText("%s: a field of %d bytes at offset %d ends past the %d bytes of a volume",
                      {error.what(), error.size, error.offset, kBufSize});
}

// Raises ERangeError naming the volume and the field when Source, the cell
// whose volume has Keys, does not fit a volume; else answers at least the
// bytes it takes there, at most a volume's. A source whose size bound passes
// a volume is written to Buffer (the scratch of a volume's bytes, allocated on
// first use) to tell.
std::size_t CheckFitsVolume(const TSimData& source, const TIndustryKeys& keys, std::vector<std::uint8_t>& buffer) {
    const std::size_t bound = source.StoredSizeBound();
    if (bound <= kBufSize) return bound;
    if (buffer.empty()) buffer = AllocateSaveBuffer();
    std::uint16_t pos = 0;
    try {
        source.WriteToBuffer(buffer, pos);
    } catch (const EBufferFullError& error) {
        throw ERangeError(FormatText("Copy of volume %s: %s", {KeysText(keys), FieldPastVolumeText(error)}));
    }
    return pos;
}

// A copy of Source in which every scalar and array carries its changed mark, so
// that the copy is saved even when the source was only read from the file.
std::unique_ptr<TSimData> MarkedCopy(const TSimData& source) {
    auto copy = std::make_unique<TSimData>();
    copy->AssignMarked(source);
    return copy;
}

}  // namespace

// ---- Cells ----

// A component below 0 converts to a large unsigned value: one compare each.
std::size_t TCvPerData::Slot(const TCellIndex& cell) {
    if (static_cast<std::uint16_t>(cell.firm) > kMaxCellFirm || static_cast<std::uint16_t>(cell.zone) > kMaxCellZone ||
        static_cast<std::uint16_t>(cell.market) > kMaxCellMarket) [[unlikely]]
        throw ERangeError();
    return static_cast<std::size_t>((cell.firm * kZones + cell.zone) * kMarkets + cell.market);
}

// A kept cell whose bytes do not form a bag names the file and the volume, as
// every other failure of a stored cell does.
TSimData* TCvPerData::BuiltCell(const TCellIndex& cell) const {
    try {
        return cells_.Bag(Slot(cell));
    } catch (const EDataError& error) {
        throw EDataError(FormatText("Industry file %s, volume %s: %s",
                                    {loadedFrom_, KeysText(CellVolumeKeys(what_, period_, cell)), error.what()}));
    }
}

const TSimData* TCvPerData::Cell(const TCellIndex& cell) const { return BuiltCell(cell); }

TSimData* TCvPerData::Cell(const TCellIndex& cell) { return BuiltCell(cell); }

bool TCvPerData::HasCells() const { return cells_.HoldsAny(); }

const TSimData& TCvPerData::CellOrEmpty(int category, const TDataContext& context) const {
    const TSimData* bag = Cell(CalcIndices(category, context));
    return bag != nullptr ? *bag : EmptyBag();
}

TSimData& TCvPerData::CellForStore(int category, const TDataContext& context) {
    const TCellIndex cell = CalcIndices(category, context);
    if (TSimData* bag = BuiltCell(cell)) return *bag;
    return cells_.BagForStore(Slot(cell));
}

// ---- Setters ----

void TCvPerData::SetSmallint(int category, const TDataContext& context, std::string_view name, std::int16_t value) {
    CellForStore(category, context).SetScalarInt(name, value);
}

void TCvPerData::SetReal(int category, const TDataContext& context, std::string_view name, long double value) {
    CellForStore(category, context).SetScalarReal(name, value);
}

void TCvPerData::SetString(int category, const TDataContext& context, std::string_view name,
                           std::string_view value) {
    CellForStore(category, context).SetScalarZts(name, value, kStringMaxLen);
}

void TCvPerData::SetScalar(int category, const TDataContext& context, std::string_view name,
                           const TSimValue& value) {
    CellForStore(category, context).SetScalar(name, value);
}

TSimArr& TCvPerData::AddSimArr(int category, const TDataContext& context, std::string_view name,
                               std::unique_ptr<TSimArr> array) {
    return CellForStore(category, context).AddSimArr(name, std::move(array));
}

TSimArr& TCvPerData::CreateSimArr(int category, const TDataContext& context, std::string_view name,
                                  std::uint8_t kind, std::uint8_t subType,
                                  std::span<const TSeries* const> dimensions) {
    auto array = std::make_unique<TSimArr>();
    array->InitFromSeries(kind, subType, dimensions);
    return AddSimArr(category, context, name, std::move(array));
}

TSimData* TCvPerData::AdoptCell(TCvPerData& from, int category, const TDataContext& context) {
    const std::size_t slot = Slot(CalcIndices(category, context));
    TSimData* bag = from.cells_.BuiltBag(slot);
    if (bag == nullptr || cells_.Holds(slot)) return nullptr;
    auto moved = std::make_unique<TSimData>();
    moved->Swap(*bag);
    from.cells_.Put(slot, nullptr);
    cells_.Put(slot, std::move(moved));
    return cells_.BuiltBag(slot);
}

// ---- Getters ----

std::string TCvPerData::DescribeCell(int category, const TDataContext& context) const {
    return CellText(what_, period_, CalcIndices(category, context));
}

void TCvPerData::NoteRead(int category, const TDataContext& context, std::string_view name, bool array,
                          bool withDefault, bool found) const {
    TReadObserver* observer = detail::readObserver;
    if (observer == nullptr || what_ == 0) [[likely]]
        return;
    observer->Read({what_, period_, category, CalcIndices(category, context), name, array, withDefault, found,
                    !loadedFrom_.empty()});
}

const TSimValue& TCvPerData::RequiredScalar(int category, const TDataContext& context, std::string_view name,
                                            std::uint8_t kind) const {
    const TSimValue* stored = CellOrEmpty(category, context).FindScalar(name);
    NoteRead(category, context, name, false, false, stored != nullptr);
    if (stored == nullptr)
        throw EDataError(FormatText("scalar %s missing in the %s", {name, DescribeCell(category, context)}));
    if (kind != kAnyKind && stored->kind != kind)
        throw EDataError(FormatText("scalar %s of kind %d, not %d, in the %s",
                                    {name, stored->kind, kind, DescribeCell(category, context)}));
    return *stored;
}

std::int16_t TCvPerData::GetSmallint(int category, const TDataContext& context, std::string_view name) const {
    return TSimData::SmallintOf(RequiredScalar(category, context, name, dkSmallint));
}

long double TCvPerData::GetReal(int category, const TDataContext& context, std::string_view name) const {
    return SimValueNumber(RequiredScalar(category, context, name, dkReal48));
}

std::string TCvPerData::GetString(int category, const TDataContext& context, std::string_view name) const {
    return RequiredScalar(category, context, name, dkZts).text;
}

const TSimValue* TCvPerData::FindScalar(int category, const TDataContext& context, std::string_view name) const {
    const TSimValue* stored = CellOrEmpty(category, context).FindScalar(name);
    NoteRead(category, context, name, false, true, stored != nullptr);
    return stored;
}

std::int16_t TCvPerData::GetSmallintDef(int category, const TDataContext& context, std::string_view name,
                                        std::int16_t defaultValue) const {
    const TSimValue* value = FindScalar(category, context, name);
    if (value == nullptr) return defaultValue;
    const auto number = RoundHalfEvenWithin(SimValueNumber(*value), INT16_MIN, INT16_MAX);
    if (!number) throw ERangeError();
    return static_cast<std::int16_t>(*number);
}

long double TCvPerData::GetRealDef(int category, const TDataContext& context, std::string_view name,
                                   long double defaultValue) const {
    const TSimValue* value = FindScalar(category, context, name);
    return value == nullptr ? RoundToReal48(defaultValue) : SimValueNumber(*value);
}

void TCvPerData::GetScalar(int category, const TDataContext& context, std::string_view name, std::uint8_t kind,
                           bool mustExist, TSimValue& value) const {
    if (mustExist) {
        value = RequiredScalar(category, context, name, kind);
        return;
    }
    const TSimValue* stored = FindScalar(category, context, name);
    value = stored != nullptr ? *stored : TSimValue{};
}

const TSimArr& TCvPerData::GetSimArr(int category, const TDataContext& context, std::string_view name) const {
    const TSimArr* array = CellOrEmpty(category, context).FindSimArr(name);
    NoteRead(category, context, name, true, false, array != nullptr);
    if (array == nullptr)
        throw EDataError(FormatText("array %s missing in the %s", {name, DescribeCell(category, context)}));
    return *array;
}

// The writable forms answer what the read-only ones find in this set's own cells.
TSimArr& TCvPerData::GetSimArr(int category, const TDataContext& context, std::string_view name) {
    return const_cast<TSimArr&>(std::as_const(*this).GetSimArr(category, context, name));
}

const TSimArr* TCvPerData::FindSimArr(int category, const TDataContext& context, std::string_view name) const {
    const TSimData* bag = Cell(CalcIndices(category, context));
    const TSimArr* array = bag != nullptr ? bag->FindSimArr(name) : nullptr;
    NoteRead(category, context, name, true, true, array != nullptr);
    return array;
}

TSimArr* TCvPerData::FindSimArr(int category, const TDataContext& context, std::string_view name) {
    return const_cast<TSimArr*>(std::as_const(*this).FindSimArr(category, context, name));
}

// ---- Copies ----

TSimArr& TCvPerData::DupSimArr(const TCvPerData& source, int category, const TDataContext& context,
                               std::string_view name) {
    const TSimArr& original = source.GetSimArr(category, context, name);
    if (TSimArr* existing = FindSimArr(category, context, name)) {
        LogFmt(0, "Warning : attempt to duplicate an existing array %s", {name});
        if (existing != &original) existing->Assign(original);
        return *existing;
    }
    auto copy = std::make_unique<TSimArr>();
    copy->Assign(original);
    return AddSimArr(category, context, name, std::move(copy));
}

TSimValue TCvPerData::CopyScalar(const TCvPerData& source, int category, const TDataContext& context,
                                 std::string_view name) {
    TSimValue value;
    source.GetScalar(category, context, name, kAnyKind, true, value);
    value.changed = 1;
    SetScalar(category, context, name, value);
    return value;
}

void TCvPerData::CopyFirmCells(int firm, const TCvPerData& source) {
    std::vector<std::uint8_t> buffer;
    for (std::int16_t zone = 0; zone <= kMaxCellZone; ++zone) {
        for (std::int16_t market = 0; market <= kMaxCellMarket; ++market) {
            const TCellIndex cell{static_cast<std::int16_t>(firm), zone, market};
            const TSimData* original = source.Cell(cell);
            if (original == nullptr) continue;
            CheckFitsVolume(*original, CellVolumeKeys(source.what_, source.period_, cell), buffer);
            cells_.Put(Slot(cell), MarkedCopy(*original));
        }
    }
}

// Every copy is checked, the built cells that take their source in place are
// found and the memory for the stored forms of the other copies is got before
// any cell changes; what is left to do then cannot fail. The other copies are
// kept in the stored form their source writes, built on first use: most are
// never read again (the defaults copied at every forecast), and their memory
// is one block, the block of the copies before when it has room.
void TCvPerData::CopyAllCells(const TCvPerData& source) {
    std::array<const TSimData*, TCellGrid::kCellCount> originals{};
    std::array<bool, TCellGrid::kCellCount> inPlace{};
    std::size_t storedSize = 0;
    std::vector<std::uint8_t> buffer;
    ForEachCell([&](const TCellIndex& cell) {
        const std::size_t slot = Slot(cell);
        const TSimData* original = source.BuiltCell(cell);
        if (original == nullptr) return;
        originals[slot] = original;
        const std::size_t size = CheckFitsVolume(*original, CellVolumeKeys(source.what_, source.period_, cell), buffer);
        const TSimData* current = cells_.BuiltBag(slot);
        inPlace[slot] = current != nullptr && current->TakesInPlace(*original);
        if (!inPlace[slot]) storedSize += size;
    });
    TCellGrid::TCopyBlock block;
    if (storedSize > 0) block = AllocatedOrAbort([&] { return cells_.BlockForCopies(storedSize); });
    std::size_t offset = 0;
    for (std::size_t slot = 0; slot < originals.size(); ++slot) {
        const TSimData* original = originals[slot];
        if (original == nullptr) {
            cells_.Put(slot, nullptr);
        } else if (inPlace[slot]) {
            cells_.BuiltBag(slot)->AssignMarkedInPlace(*original);
        } else {
            std::uint8_t* const bytes = block.memory.get() + offset;
            std::uint16_t size = 0;
            original->WriteToBuffer(TPutBuf(bytes, block.size - offset), size);
            cells_.KeepStoredCopy(slot, bytes, size, block);
            offset += size;
        }
    }
}

void TCvPerData::KeepCopy() {
    if (!keptCopy_) keptCopy_ = std::make_unique<TCvPerData>(what_, period_);
    keptCopy_->CopyAllCells(*this);
}

void TCvPerData::ReturnToCopy() noexcept {
    if (keptCopy_) SwapCells(*keptCopy_);
}

// ---- Persistence ----

void TCvPerData::SaveCell(TVolSet& volumes, const TCellIndex& cell, const TSimData& bag,
                          std::span<std::uint8_t> buffer) const {
    std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    std::uint16_t pos = 0;
    const TIndustryKeys keys = CellVolumeKeys(what_, period_, cell);
    try {
        bag.WriteToBuffer(buffer, pos);
    } catch (const EBufferFullError& error) {
        throw ERangeError(FormatText("Industry file %s, volume %s: %s",
                                     {volumes.FileName(), KeysText(keys), FieldPastVolumeText(error)}));
    }
    volumes.VolumeSet(buffer.data(), pos, keys);
}

// A copy kept in its stored form is written as it is; the stored form of an
// empty bag is its end tag alone.
void TCvPerData::SaveToVolSet(TVolSet& volumes) const {
    std::vector<std::uint8_t> buffer;
    ForEachCell([&](const TCellIndex& cell) {
        const std::size_t slot = Slot(cell);
        const std::span<const std::uint8_t> copy = cells_.StoredCopy(slot);
        if (copy.size() > 1) {
            volumes.VolumeSet(copy.data(), static_cast<std::uint16_t>(copy.size()),
                              CellVolumeKeys(what_, period_, cell));
            return;
        }
        const TSimData* bag = cells_.BuiltBag(slot);
        if (bag == nullptr || (bag->ScalarCount() == 0 && bag->ArrayCount() == 0) || !bag->IsModified()) return;
        if (buffer.empty()) buffer = AllocateSaveBuffer();
        SaveCell(volumes, cell, *bag, buffer);
    });
}

// A key the set does not declare counts as unset.
bool CellOfVolumeKeys(TVolKeys keys, TCellIndex& cell) {
    for (std::size_t k = kIndustryKeyCount; k < keys.size(); ++k)
        if (keys[k] != kVolKeyUnset) return false;
    auto index = [keys](std::size_t k, int max, std::int16_t& into) {
        const std::int16_t value = k < keys.size() ? keys[k] : kVolKeyUnset;
        into = value == kVolKeyUnset ? std::int16_t{0} : value;
        return value == kVolKeyUnset || (value >= 1 && value <= max);
    };
    return index(2, kMaxCellZone, cell.zone) && index(3, kMaxCellMarket, cell.market) &&
           index(4, kMaxCellFirm, cell.firm);
}

// The cells view the bytes the volume set read; each is checked when it is first built.
void TCvPerData::LoadFromVolSet(TVolSet& volumes) {
    TCellGrid loaded;
    const std::array<std::int16_t, 2> prefix{static_cast<std::int16_t>(what_), period_};
    volumes.ShareVolumesWithPrefix(
        prefix, [&](TVolKeys keys, const std::uint8_t* data, std::uint16_t size, const TVolSet::TVolHolder& holder) {
            TCellIndex cell;
            if (CellOfVolumeKeys(keys, cell)) loaded.Keep(Slot(cell), data, size, holder);
        });
    cells_.Swap(loaded);
    loadedFrom_ = volumes.FileName();
}

void TCvPerData::DumpToLog() const {
    // Nothing would be written: the cells are left unbuilt.
    if (!LogIsOpen() || DebugLevel < kDumpLogLevel) return;
    LogFmt(kDumpLogLevel, "What=%d   ThisPer=%d", {what_, period_});
    ForEachCell([&](const TCellIndex& cell) {
        LogFmt(kDumpLogLevel, "iFir=%d   iFta=%d   iMkt=%d   ", {cell.firm, cell.zone, cell.market});
        if (const TSimData* bag = Cell(cell)) bag->LogContents();
    });
}

std::string_view SetKindText(std::uint16_t what) {
    switch (what) {
    case vtConstant: return "constant part";
    case vtResults: return "results";
    case vtDecisions: return "decisions";
    case vtDefaults: return "default decisions";
    default: return "data set";
    }
}

std::string CellText(std::uint16_t what, std::int16_t period, const TCellIndex& cell) {
    std::string text(SetKindText(what));
    if (what != vtConstant) text += FormatText(" of period %d", {period});
    if (cell.firm) text += FormatText(", firm %d", {cell.firm});
    if (cell.zone) text += FormatText(", zone %d", {cell.zone});
    if (cell.market) text += FormatText(", market %d", {cell.market});
    return text;
}

}  // namespace cv

#include "core/store/typed_array.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "core/base/numbers.h"
#include "core/store/series.h"
#include "core/base/log_file.h"
#include "core/base/ui_services.h"

namespace cv {

static_assert(std::endian::native == std::endian::little, "element blocks hold little-endian numbers as stored");

namespace {

constexpr std::string_view kBadIndexText = "an index outside an array: ";

// Counts, byte sizes and bases are 16-bit values.
constexpr std::uint32_t kShapeLimit = std::numeric_limits<std::uint16_t>::max();
// Bytes an element of each kind takes in memory (a text element: its end).
constexpr std::array<std::uint8_t, 6> kElementSize{1, 1, 2, 2, 6, 4};

// Highest element position of Kind: the elements must lie within the last
// position of a volume buffer.
constexpr std::uint32_t MaxPosition(std::uint8_t kind) {
    return static_cast<std::uint32_t>((kBufSize - 1) / kElementSize[kind]);
}

struct TIntegerRange {
    long long lo;
    long long hi;
};
template <class T>
constexpr TIntegerRange RangeOf() {
    return {std::numeric_limits<T>::min(), std::numeric_limits<T>::max()};
}
// Ranges of the integer kinds 0..3.
constexpr std::array<TIntegerRange, 4> kIntegerRange{
    {RangeOf<std::uint8_t>(), RangeOf<std::int8_t>(), RangeOf<std::int16_t>(), RangeOf<std::uint16_t>()}};

void RequireInRange(long long value, const TIntegerRange& range) {
    if (value < range.lo || value > range.hi) throw ERangeError();
}

// Value rounded to an integer (halves to even) within Range, else ERangeError.
std::int32_t RoundIntoRange(long double value, const TIntegerRange& range) {
    const auto rounded = RoundHalfEvenWithin(value, range.lo, range.hi);
    if (!rounded) throw ERangeError();
    return static_cast<std::int32_t>(*rounded);
}

bool IsIntegerKind(std::uint8_t kind) { return kind <= dkWord; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return upper(x) == upper(y); });
}

}  // namespace

std::uint8_t DA_SizeOf(std::uint8_t kind) {
    if (kind < kElementSize.size()) return kElementSize[kind];
    Ui().ShowErrorBox("[DA_SizeOf] Unknown kind : " + std::to_string(kind));
    return 0;
}

bool SimValuesEqual(const TSimValue& a, const TSimValue& b) {
    if (a.kind != b.kind) return false;
    if (IsIntegerKind(a.kind)) return a.integer == b.integer;
    if (a.kind == dkReal48) return FromReal48(a.real) == FromReal48(b.real);
    if (a.kind == dkZts) return a.text == b.text;
    return false;
}

long double SimValueNumber(const TSimValue& value) {
    if (IsIntegerKind(value.kind)) return value.integer;
    return value.kind == dkReal48 ? FromReal48(value.real) : 0;
}

// ---- Shape and life cycle ----

TDynArr::TShape TDynArr::PlanShape(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb,
                                   const TIndex& ub) {
    if (nDim < 1 || nDim > kMaxDims || lb.Count() < nDim || ub.Count() < nDim) throw ERangeError();
    TShape shape;
    shape.elementSize = kind < kElementSize.size() ? kElementSize[kind] : DA_SizeOf(kind);
    if (shape.elementSize == 0) throw ERangeError();
    std::uint32_t product = 1;
    for (int d = nDim - 1; d >= 0; --d) {
        const int size = ub[d] - lb[d] + 1;
        if (size < 0) throw ERangeError();
        shape.stride[d] = product;
        shape.dimSize[d] = static_cast<std::uint32_t>(size);
        product *= shape.dimSize[d];
        if (product > kShapeLimit) throw ERangeError();
    }
    const std::uint32_t count = product;
    if (count * shape.elementSize > kShapeLimit || (count > 0 && count - 1 > MaxPosition(kind))) throw ERangeError();
    long long base = 0;
    for (int d = 0; d < nDim; ++d) {
        base += static_cast<long long>(lb[d]) * shape.stride[d];
        if (base < 0 || base > kShapeLimit) throw ERangeError();
        shape.lb[d] = lb[d];
        shape.ub[d] = ub[d];
    }
    shape.kind = kind;
    shape.subType = subType;
    shape.nDim = nDim;
    shape.count = count;
    shape.base = static_cast<std::uint16_t>(base);
    return shape;
}

std::unique_ptr<std::uint8_t[]> TDynArr::AllocateBytes(std::size_t size, bool zeroed,
                                                       std::string_view outOfMemoryText) {
    try {
        return zeroed ? std::make_unique<std::uint8_t[]>(size) : std::make_unique_for_overwrite<std::uint8_t[]>(size);
    } catch (const std::bad_alloc&) {
        Ui().ShowErrorBox(std::string(outOfMemoryText));
        throw ESilentAbort("Out of memory");
    }
}

std::unique_ptr<std::uint8_t[]> TDynArr::AllocateBlock(const TShape& shape, bool zeroed, std::uint32_t textRoom,
                                                       std::string_view outOfMemoryText) {
    if (shape.kind != dkZts) return AllocateBytes(shape.Slots() * shape.elementSize, zeroed, outOfMemoryText);
    const std::size_t charsAt = TextCharsAt(shape.Slots());
    std::unique_ptr<std::uint8_t[]> block = AllocateBytes(charsAt + textRoom, zeroed, outOfMemoryText);
    StoreWord32(block.get() + charsAt - kTextRoomSize, textRoom);
    return block;
}

void TDynArr::Adopt(const TShape& shape, std::unique_ptr<std::uint8_t[]> block) {
    kind_ = shape.kind;
    subType_ = shape.subType;
    nDim_ = static_cast<std::uint8_t>(shape.nDim);
    lb_ = shape.lb;
    ub_ = shape.ub;
    dimSize_ = shape.dimSize;
    for (std::size_t d = 0; d < kMaxDims; ++d) stride_[d] = static_cast<std::uint16_t>(shape.stride[d]);
    count_ = static_cast<std::uint16_t>(shape.count);
    byteSize_ = static_cast<std::uint16_t>(shape.count * shape.elementSize);
    base_ = shape.base;
    elementSize_ = shape.elementSize;
    data_ = std::move(block);
    modified_ = false;
}

void TDynArr::Shape(const TShape& shape, std::string_view outOfMemoryText) {
    const std::size_t textRoom = shape.kind == dkZts ? shape.Slots() * ElementRoom(shape.subType, 0) : 0;
    Adopt(shape, AllocateBlock(shape, true, static_cast<std::uint32_t>(textRoom), outOfMemoryText));
}

void TDynArr::Release() {
    data_.reset();
    kind_ = subType_ = elementSize_ = 0;
    nDim_ = 0;
    lb_ = ub_ = {};
    dimSize_ = {};
    stride_ = {};
    count_ = byteSize_ = base_ = 0;
}

// An array that already has the planned shape keeps its storage, zeroed: a
// set whose arrays are made afresh at every run reuses them without allocating.
void TDynArr::Init(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb, const TIndex& ub) {
    const TShape shape = PlanShape(kind, subType, nDim, lb, ub);
    if (!HoldsShape(shape)) {
        Shape(shape, kInitOutOfMemory);
        return;
    }
    Clear();
    modified_ = false;
}

bool TDynArr::HoldsShape(const TShape& shape) const {
    // No storage once moved from.
    if (!data_ || kind_ != shape.kind || subType_ != shape.subType || nDim_ != shape.nDim ||
        count_ != shape.count || base_ != shape.base || elementSize_ != shape.elementSize)
        return false;
    for (int d = 0; d < nDim_; ++d)
        if (lb_[d] != shape.lb[d] || ub_[d] != shape.ub[d] || dimSize_[d] != shape.dimSize[d] ||
            stride_[d] != shape.stride[d])
            return false;
    return true;
}

bool TDynArr::SameShape(const TDynArr& other) const {
    if (kind_ != other.kind_ || subType_ != other.subType_ || nDim_ != other.nDim_) return false;
    for (int d = 0; d < nDim_; ++d)
        if (lb_[d] != other.lb_[d] || ub_[d] != other.ub_[d]) return false;
    return true;
}

// An array already of the source's shape, with room for its texts, keeps its
// storage and takes the elements; another takes the source's shape, planned
// already, and storage that the copy then fills (the one element of an empty
// array zeroed).
void TDynArr::Assign(const TDynArr& src) {
    if (&src != this) {
        if (src.nDim_ == 0) {
            Release();
        } else {
            if (!AssignsInPlace(src)) {
                TShape shape;
                shape.kind = src.kind_;
                shape.subType = src.subType_;
                shape.nDim = src.nDim_;
                shape.lb = src.lb_;
                shape.ub = src.ub_;
                shape.dimSize = src.dimSize_;
                std::copy(src.stride_.begin(), src.stride_.end(), shape.stride.begin());
                shape.count = src.count_;
                shape.elementSize = src.elementSize_;
                shape.base = src.base_;
                const std::uint32_t textRoom = shape.kind == dkZts ? src.RoomForTexts() : 0;
                Adopt(shape, AllocateBlock(shape, shape.count == 0, textRoom, kInitOutOfMemory));
            }
            // The elements; a text array's ends, then its characters.
            std::memcpy(data_.get(), src.data_.get(), std::size_t{byteSize_});
            if (kind_ == dkZts) std::copy_n(src.TextChars(), src.TextLength(), data_.get() + TextCharsAt(Slots()));
        }
    }
    modified_ = true;
}

bool TDynArr::AssignsInPlace(const TDynArr& src) const {
    if (src.nDim_ == 0 || !data_ || !SameShape(src)) return false;
    return kind_ != dkZts || src.TextLength() <= TextRoom();
}

void TDynArr::CopyData(const TDynArr& src) {
    if (nDim_ == 0 || src.nDim_ == 0 || kind_ == dkZts || src.kind_ == dkZts || byteSize_ != src.byteSize_) {
        throw ERangeError();
    }
    std::memcpy(data_.get(), src.data_.get(), std::size_t{byteSize_});
    modified_ = true;
}

// A text array's elements are the ends of its texts: zero, they leave every
// text empty and the block's room as it was.
void TDynArr::Clear() {
    if (data_) {
        std::memset(data_.get(), 0, std::size_t{std::max<std::uint16_t>(count_, 1)} * elementSize_);
    }
    modified_ = true;
}

// ---- Index checks and reports ----

void TDynArr::RaiseBadIndex(const TIndex& index) const {
    if (nDim_ == 0 || index.Count() < nDim_) throw ERangeError();
    std::string outside;
    for (int d = 0; d < nDim_; ++d) {
        if (index[d] >= lb_[d] && index[d] <= ub_[d]) continue;
        LogFmt(0, "Out of bounds error : %d not in [%d,%d]", {index[d], lb_[d], ub_[d]});
        outside = FormatText("%d not in [%d,%d]", {index[d], lb_[d], ub_[d]});
        break;
    }
    LogFmt(0, "   kind=%d", {kind_});
    for (int d = 0; d < nDim_; ++d) LogFmt(0, "   lb=%d   ub=%d", {lb_[d], ub_[d]});
    LogFlush();
    throw EDataError(std::string(kBadIndexText) + outside);
}

void TDynArr::RaiseKind(std::string_view operation) const {
    throw EDataError(std::string(operation) + std::to_string(kind_));
}

// ---- Element values by the array's own kind ----

std::int32_t TDynArr::LoadInteger(std::uint32_t pos) const {
    const std::uint8_t* element = Element(pos);
    switch (kind_) {
    case dkByte: return element[0];
    case dkShortInt: return static_cast<std::int8_t>(element[0]);
    case dkSmallint: {
        std::int16_t value;
        std::memcpy(&value, element, sizeof value);
        return value;
    }
    default: {
        std::uint16_t value;
        std::memcpy(&value, element, sizeof value);
        return value;
    }
    }
}

long double TDynArr::LoadNumber(std::uint32_t pos) const {
    if (IsIntegerKind(kind_)) return LoadInteger(pos);
    if (kind_ == dkReal48) return LoadReal48(Element(pos));
    return 0;  // a text is no number
}

void TDynArr::StoreInteger(std::uint32_t pos, std::int32_t value) {
    std::uint8_t* element = Element(pos);
    if (elementSize_ == 1) {
        element[0] = static_cast<std::uint8_t>(value);
    } else {
        const auto bits = static_cast<std::uint16_t>(value);
        std::memcpy(element, &bits, sizeof bits);
    }
    modified_ = true;
}

void TDynArr::StoreNumber(std::uint32_t pos, long double value) {
    if (kind_ == dkZts) return;  // a text array takes no number
    if (kind_ == dkReal48) {
        StoreReal48(value, Element(pos));
        modified_ = true;
    } else {
        StoreInteger(pos, RoundIntoRange(value, kIntegerRange[kind_]));
    }
}

void TDynArr::ZeroElement(std::uint32_t pos) {
    if (kind_ == dkZts) {
        StoreText(pos, {});
    } else {
        std::memset(Element(pos), 0, elementSize_);
    }
}

// ---- Element access ----

TSimValue TDynArr::GetV(const TIndex& index) const {
    TSimValue value;
    value.kind = kind_;
    value.subType = subType_;
    const std::uint32_t position = Locate(index);
    if (kind_ == dkZts) {
        value.text = TextAt(position);
    } else if (kind_ == dkReal48) {
        std::memcpy(value.real.bytes.data(), Element(position), value.real.bytes.size());
    } else {
        value.integer = LoadInteger(position);
    }
    return value;
}

void TDynArr::SetV(const TIndex& index, const TSimValue& value) {
    if (value.kind != kind_) {
        Ui().ShowErrorBox("[SetV] Bad kinds : " + std::to_string(kind_) + " <> " + std::to_string(value.kind));
    }
    const std::uint32_t position = Locate(index);
    if (kind_ == dkZts || value.kind == dkZts) {
        if (kind_ == value.kind) StoreText(position, value.text);
    } else if (value.kind == dkReal48) {
        StoreNumber(position, FromReal48(value.real));
    } else if (IsIntegerKind(value.kind)) {
        StoreNumber(position, value.integer);
    }
}

std::uint8_t TDynArr::GetByte(const TIndex& index) const {
    if (kind_ != dkByte) RaiseKind("[GetByte] Bad kind : ");
    return *Element(Locate(index));
}

std::int16_t TDynArr::GetSmallint(const TIndex& index) const {
    if (kind_ != dkSmallint) RaiseKind("[GetSmallint] Bad kind : ");
    return static_cast<std::int16_t>(LoadInteger(Locate(index)));
}

std::uint16_t TDynArr::GetWord(const TIndex& index) const {
    if (kind_ != dkWord) RaiseKind("[GetWord] Bad kind : ");
    return static_cast<std::uint16_t>(LoadInteger(Locate(index)));
}

// The setter of integer kind Kind: an array of another kind raises EDataError
// with BadKindText; a value outside Kind's range raises ERangeError before the
// index is checked.
void TDynArr::SetIntegerOfKind(std::uint8_t kind, const TIndex& index, long long value,
                               std::string_view badKindText) {
    if (kind_ != kind) RaiseKind(badKindText);
    RequireInRange(value, kIntegerRange[kind]);
    StoreInteger(Locate(index), static_cast<std::int32_t>(value));
}

void TDynArr::SetByte(const TIndex& index, long long value) {
    SetIntegerOfKind(dkByte, index, value, "[SetByte] Bad kind : ");
}

void TDynArr::SetWord(const TIndex& index, long long value) {
    SetIntegerOfKind(dkWord, index, value, "[SetWord] Bad kind : ");
}

void TDynArr::AddLong(const TIndex& index, long double value) {
    if (kind_ != dkReal48) RaiseKind("[AddLong] Bad kind : ");
    const std::uint32_t position = Locate(index);
    StoreNumber(position, LoadNumber(position) + value);
}

std::string TDynArr::GetZts(const TIndex& index) const {
    if (kind_ != dkZts) RaiseKind("[GetZts] Bad kind : ");
    return std::string(TextAt(Locate(index)));
}

void TDynArr::SetZts(const TIndex& index, std::string_view text) {
    if (kind_ != dkZts) RaiseKind("[SetZts] Bad kind : ");
    if (subType_ != 0 && text.size() > subType_) {
        Ui().ShowErrorBox("[SetZts] Bad length : " + std::to_string(text.size()));
    }
    StoreText(Locate(index), text);
}

std::int16_t TDynArr::FindZts(std::string_view text, int dim, TIndex index) const {
    if (kind_ != dkZts) RaiseKind("[FindZts] Bad kind : ");
    if (dim < 1 || dim > nDim_) throw ERangeError();
    for (int k = lb_[dim - 1]; k <= ub_[dim - 1]; ++k) {
        index.Set(dim - 1, k);
        const std::string_view element = TextAt(Locate(index));
        if (!element.empty() && EqualIgnoringAsciiCase(element, text)) return static_cast<std::int16_t>(k);
    }
    return kZtsNotFound;
}

// ---- Named arrays ----

// A forecast makes thousands of named arrays: their names take one 16-bit
// reference, padded to the array's alignment.
static_assert(sizeof(TSimArr) <= sizeof(TDynArr) + alignof(TSimArr));

void TSimArr::InitFromSeries(std::uint8_t kind, std::uint8_t subType, std::span<const TSeries* const> series) {
    if (series.empty() || series.size() > kMaxDims) throw ERangeError();
    TIndex lb;
    TIndex ub;
    std::array<std::string_view, kMaxDims> names;
    for (std::size_t d = 0; d < series.size(); ++d) {
        if (series[d] == nullptr) throw ERangeError();
        lb.Set(static_cast<int>(d), series[d]->Lo());
        ub.Set(static_cast<int>(d), series[d]->Hi());
        names[d] = series[d]->Name();
    }
    // Arrays re-shaped by the series they already had keep their names.
    const std::span<const std::string_view> given = std::span(names).first(series.size());
    const bool kept = dimNames_ != TDimNames() && dimNames_.Are(given);
    const TDimNames dimNames = kept ? dimNames_ : TDimNames(given);
    Init(kind, subType, static_cast<int>(series.size()), lb, ub);
    dimNames_ = dimNames;
}

void TSimArr::Assign(const TSimArr& src) {
    TDynArr::Assign(src);
    dimNames_ = src.dimNames_;
}

}  // namespace cv

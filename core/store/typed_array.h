#pragma once
// Typed arrays of one to five dimensions: every multi-valued quantity of an
// industry (per brand, segment, period, channel, ...) lives in one.
//
// Elements are stored in row-major order, the last dimension varying fastest, in
// one contiguous zero-initialised block. Element access is one bounds check and
// one multiply-add per dimension and a direct load or store: no allocation except
// for text stores. GetReal48 is the hottest operation of the program.
//
// Indexes are TIndex values: up to five signed 16-bit components held inline,
// built from integers at the call: `arr.GetReal48({brand, segment, channel})`.
// Extra trailing components are ignored; fewer components than the array has
// dimensions raise ERangeError.
//
// An out-of-bounds component writes the details to the log at level 0, flushes
// it and raises EDataError ("an index outside an array: 7 not in [1,5]"): a
// count or an index read from a damaged industry ends the action that met it,
// in one message, and no element is read or written in its place.
//
// Texts (kind dkZts) are single-byte code-page strings owned by the array, kept
// back to back in its one block. An empty text is no text: the stored form
// cannot tell them apart.
//
// The tagged stored forms are described in docs/tagged_forms.md.

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/store/byte_buffer.h"
#include "core/store/dim_names.h"
#include "core/base/real48.h"
#include "core/base/errors.h"

namespace cv {

class TSeries;

// Element and scalar kinds, one byte in the stored forms.
enum TDynArrKind : std::uint8_t {
    dkByte = 0,      // unsigned 8-bit
    dkShortInt = 1,  // signed 8-bit
    dkSmallint = 2,  // signed 16-bit
    dkWord = 3,      // unsigned 16-bit
    dkReal48 = 4,    // 6-byte real
    dkZts = 5,       // text with a maximum length (the sub type)
};
// Accepted by TSimData::GetScalar only: a scalar of any kind.
inline constexpr std::uint8_t kAnyKind = 6;

// Index markers of the open dimensions of Sum and CopySubArray.
inline constexpr std::int16_t kOpenDim = 32766;
inline constexpr std::int16_t kOpenDim2 = 32765;
// FindZts's answer when no element matches.
inline constexpr std::int16_t kZtsNotFound = 32767;
inline constexpr int kMaxDims = 5;

// A size bound that tells nothing: the stored form must be written to learn its size.
inline constexpr std::size_t kNoSizeBound = SIZE_MAX;
// At least the bytes a text field of Text with maximum length MaxLen takes
// (kNoSizeBound for a text the field refuses); Bounds adds bounds, saturating.
std::size_t TextFieldSizeBound(std::string_view text, std::uint8_t maxLen);
inline std::size_t AddSizeBounds(std::size_t a, std::size_t b) { return a > kNoSizeBound - b ? kNoSizeBound : a + b; }

// Size of one element of Kind in bytes (a text counts 4, the end of its
// characters in the array's block); any other code shows "[DA_SizeOf] Unknown
// kind : <code>" in an error box and gives 0.
std::uint8_t DA_SizeOf(std::uint8_t kind);

// An element index or a list of bounds: up to five signed 16-bit components,
// stored inline. A component outside -32,768..32,767 raises ERangeError.
class TIndex {
public:
    template <std::integral... T>
        requires(sizeof...(T) <= kMaxDims)
    constexpr TIndex(T... components) : components_{Narrow(components)...}, count_(sizeof...(T)) {}

    constexpr int Count() const { return count_; }
    // Component D, 0-based, D < kMaxDims (components past Count() are 0).
    constexpr std::int16_t operator[](int d) const { return components_[d]; }
    // Sets component D (0-based), extending the index to D + 1 components if needed.
    constexpr void Set(int d, long long value) {
        if (d < 0 || d >= kMaxDims) throw ERangeError();
        components_[d] = Narrow(value);
        if (count_ <= d) count_ = d + 1;
    }

private:
    template <std::integral T>
    static constexpr std::int16_t Narrow(T value) {
        if (!std::in_range<std::int16_t>(value)) throw ERangeError();
        return static_cast<std::int16_t>(value);
    }

    std::array<std::int16_t, kMaxDims> components_{};
    int count_ = 0;
};

// One tagged value: the scalars of a bag and the element values of GetV/SetV.
// Integer kinds use Integer, kind 4 Real, kind 5 Text (empty: no text).
struct TSimValue {
    std::uint8_t changed = 0;  // 1 when stored by a setter, 0 when read from a buffer
    std::uint8_t subType = 0;  // the maximum length of a text value
    std::uint8_t kind = 0;     // TDynArrKind
    std::int32_t integer = 0;
    Real48 real{};
    std::string text;
};

// False when the kinds differ; integer kinds compare the integers, kind 4 the
// reals exactly, kind 5 the texts exactly (case-sensitive); other kinds are unequal.
bool SimValuesEqual(const TSimValue& a, const TSimValue& b);
// The value as a number: the integer of kinds 0..3, the real of kind 4, else 0.
long double SimValueNumber(const TSimValue& value);

// A typed array. Create empty, shape once (Init, Assign or ReadFromBuffer); the
// shape stays until the array is destroyed. The modified flag is set by every
// store and copy and cleared when the array is shaped by Init or read.
class TDynArr {
public:
    TDynArr() = default;
    ~TDynArr() = default;
    TDynArr(const TDynArr&) = delete;
    TDynArr& operator=(const TDynArr&) = delete;
    TDynArr(TDynArr&&) = default;
    TDynArr& operator=(TDynArr&&) = default;

    // Shapes the array with the first NDim bounds of LB and UB and a zero block;
    // clears the modified flag. An array of that shape already keeps its storage. A shape beyond the limits (count or byte size over
    // 65,535, a base partial sum outside 0..65,535, positions beyond the kind's
    // limit) or an unknown kind raises ERangeError and leaves the array as it was.
    // When memory runs out the "Out of memory !" box is shown and ESilentAbort raised.
    void Init(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb, const TIndex& ub);
    // Becomes a copy of Src (shape, elements, own copies of texts); sets the modified flag.
    void Assign(const TDynArr& src);
    // Whether Assign(Src) copies into the storage this array holds, allocating
    // nothing: the same shape, and every text of Src fitting its element's storage.
    bool AssignsInPlace(const TDynArr& src) const;
    // Copies the element block of Src, which must have the same byte size and a
    // numeric kind (else ERangeError, nothing copied); sets the modified flag.
    void CopyData(const TDynArr& src);
    // Zero elements, no texts; sets the modified flag.
    void Clear();

    std::uint8_t Kind() const { return kind_; }
    std::uint8_t SubType() const { return subType_; }
    int NDim() const { return nDim_; }
    // Bounds and strides of dimension D, 1-based as in the stored form.
    std::int16_t LB(int d) const { return lb_[d - 1]; }
    std::int16_t UB(int d) const { return ub_[d - 1]; }
    std::uint16_t Stride(int d) const { return stride_[d - 1]; }
    std::uint16_t Count() const { return count_; }
    std::uint16_t ByteSize() const { return byteSize_; }
    std::uint16_t Base() const { return base_; }
    bool IsModified() const { return modified_; }

    // Whether Other has this array's kind, sub type and bounds.
    bool SameShape(const TDynArr& other) const;

    // Linear position of Index; out of bounds raises as above.
    std::uint32_t CalcIndex(const TIndex& index) const;

    // Element access. A typed accessor of another kind than the array's raises
    // EDataError "[Name] Bad kind : <kind>". GetV reads any kind; SetV shows its
    // "[SetV] Bad kinds" box for a value of another kind, then converts by the
    // array's kind: numbers pass between numeric kinds (reals to integers
    // rounded halves to even and range-checked), a text array takes no number
    // and a numeric array no text.
    TSimValue GetV(const TIndex& index) const;
    void SetV(const TIndex& index, const TSimValue& value);
    std::uint8_t GetByte(const TIndex& index) const;
    std::int16_t GetSmallint(const TIndex& index) const;
    std::uint16_t GetWord(const TIndex& index) const;
    long double GetReal48(const TIndex& index) const;
    // A copy of the stored text (empty: no text).
    std::string GetZts(const TIndex& index) const;
    std::string GetString(const TIndex& index) const { return GetZts(index); }
    // Integer setters raise ERangeError for a value outside the element's range.
    void SetByte(const TIndex& index, long long value);
    void SetSmallint(const TIndex& index, long long value);
    void SetWord(const TIndex& index, long long value);
    // EOverflowError (nothing stored) for a value beyond the Real48 range.
    void SetReal48(const TIndex& index, long double value);
    // The element at a linear position (the sum over the dimensions of index
    // minus LB times Stride) of a Real48 array, for a loop that checked the
    // kind and its indexes against the bounds once: nothing is checked here.
    long double Real48At(std::size_t position) const { return LoadReal48(data_.get() + kReal48Size * position); }
    void SetReal48At(std::size_t position, long double value) {
        StoreReal48(value, data_.get() + kReal48Size * position);
        modified_ = true;
    }
    // The text at a linear position of a text array, as Real48At reads a real;
    // valid until a text of the array changes.
    std::string_view TextAt(std::size_t position) const {
        const std::uint32_t start = position == 0 ? 0 : TextEnd(position - 1);
        return {TextChars() + start, TextEnd(position) - start};
    }
    // As Real48At and SetReal48At, for a byte array.
    std::uint8_t ByteAt(std::size_t position) const { return data_[position]; }
    void SetByteAt(std::size_t position, std::uint8_t value) {
        data_[position] = value;
        modified_ = true;
    }
    // Element := element + Value, in extended precision, stored as Real48.
    void AddLong(const TIndex& index, long double value);
    // Texts longer than a non-zero sub type show "[SetZts] Bad length : <length>"
    // and are stored cut to the sub type; any text is kept to 255 characters.
    void SetZts(const TIndex& index, std::string_view text);
    void SetString(const TIndex& index, std::string_view text) { SetZts(index, text); }
    // Runs component Dim (1-based) of Index over its bounds and returns the first
    // value whose text equals Text ignoring the case of a-z; kZtsNotFound if none.
    std::int16_t FindZts(std::string_view text, int dim, TIndex index) const;

    // Sum over the open dimension(s) of Index (component kOpenDim, and kOpenDim2
    // for Mode 2), the running sum kept as a Real48. Op 2 divides by UB - LB of the
    // open dimension (Mode 1) or the product of both (Mode 2), 0 when that is 0.
    // Another mode is a fatal stop; a missing marker raises ERangeError.
    long double Sum(int mode, const TIndex& index, int op) const;
    // Copies from Src along the open dimension(s), over this array's bounds;
    // Mode 0 copies one element. Another mode is a fatal stop.
    void CopySubArray(const TDynArr& src, int mode, const TIndex& dstIndex, const TIndex& srcIndex);
    void CopyElement(const TIndex& dstIndex, const TDynArr& src, const TIndex& srcIndex);
    void CopyRow(const TDynArr& src, int srcRow, int dstRow);
    void CopyColumn(const TDynArr& src, int srcCol, int dstCol);
    void CopyRowIdx(const TDynArr& src, int srcRow, int dstRow, const std::vector<int>& cols);
    bool RowEquals(const TDynArr& other, int otherRow, int row) const;
    // Rows after Row move up one and the last row becomes zero. A Row outside the
    // first dimension raises as an index error and changes nothing.
    void DeleteRow(int row);
    // Elements after Pos move down one and the last becomes zero; a bad Pos as DeleteRow.
    void DeleteElement(int pos);

    // The tagged form (docs/tagged_forms.md). Writing an unshaped array raises
    // ERangeError. Reading replaces the array's contents and clears its modified
    // flag; malformed or truncated bytes raise EDataError.
    void WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const;
    // At least the bytes WriteToBuffer writes, without writing them; kNoSizeBound
    // when the write would raise another error than a full buffer.
    std::size_t StoredSizeBound() const;
    void ReadFromBuffer(TGetBuf buf, std::uint16_t& pos);
    // The dimensions a stored form declares: their count and bounds.
    struct TStoredBounds {
        std::uint8_t kind = 0;
        int nDim = 0;
        std::array<std::int16_t, kMaxDims> lb{};
        std::array<std::int16_t, kMaxDims> ub{};
    };
    // Moves Pos past the stored form as ReadFromBuffer does, raising the same
    // errors at the same fields, without building or allocating anything; answers
    // the form's bounds.
    static TStoredBounds CheckBuffer(TGetBuf buf, std::uint16_t& pos);

    // Sets the modified flag, so that the array is saved with its cell.
    void MarkModified() { modified_ = true; }

    // The six bytes of real element Index, for a caller that checks an index once
    // and then loads and stores the element itself (LoadReal48, StoreReal48, then
    // MarkModified); nullptr, without any report, unless the array holds reals
    // and Index has exactly its dimensions, each within the bounds.
    const std::uint8_t* Real48Element(const TIndex& index) const;
    std::uint8_t* Real48Element(const TIndex& index) {
        return const_cast<std::uint8_t*>(std::as_const(*this).Real48Element(index));
    }

protected:

    // A checked shape: what Shape gives the array, before any memory is taken.
    struct TShape {
        std::uint8_t kind = 0;
        std::uint8_t subType = 0;
        int nDim = 0;
        std::array<std::int16_t, kMaxDims> lb{};
        std::array<std::int16_t, kMaxDims> ub{};
        std::array<std::uint32_t, kMaxDims> dimSize{};
        std::array<std::uint32_t, kMaxDims> stride{};
        std::uint32_t count = 0;
        std::uint8_t elementSize = 0;
        std::uint16_t base = 0;
        // Elements held: an empty array keeps one, which a reported bad read yields.
        std::size_t Slots() const { return count > 0 ? count : 1; }
    };
    // The array form at Bytes[At], read no further than End, when it is laid
    // out as WriteToBuffer lays out a numeric array or texts of a maximum
    // length (each in a field of that length) and followed by the byte
    // Closing: calls Take(shape, elementsAt) and returns the position after
    // Closing. Returns 0 for any other layout, which is left to the full reader;
    // a shape beyond the limits raises the error the full reader raises for it.
    template <class Take>
    static std::size_t FindWrittenForm(const std::uint8_t* bytes, std::size_t end, std::size_t at,
                                       std::uint8_t closing, Take&& take);
    // Takes Shape and the elements at ElementsAt of Buf; clears the modified flag.
    void ReadWrittenElements(const TShape& shape, TGetBuf buf, std::size_t elementsAt);
    static TStoredBounds BoundsOf(const TShape& shape);
    // The bytes WriteToBuffer writes; 0 when the array has no shape or holds
    // texts of no maximum length, whose fields differ in size.
    std::size_t FormSize() const;
    // The array form put through Fields (a TFieldPuts); an unshaped array raises ERangeError.
    template <class Fields>
    void PutForm(Fields& fields) const;

private:
    static constexpr std::uint32_t kNoPosition = 0xFFFFFFFF;
    static constexpr std::uint32_t kReal48Size = 6;

    // Position of Index; an index outside the bounds is logged and raises
    // EDataError ("an index outside an array: 7 not in [1,5]").
    std::uint32_t Locate(const TIndex& index) const;
    // Position of Index, or kNoPosition without a report.
    std::uint32_t PositionWithinBounds(const TIndex& index) const;
    [[noreturn]] void RaiseBadIndex(const TIndex& index) const;
    // EDataError "<operation><kind>": the array holds another kind than the one asked for.
    [[noreturn]] void RaiseKind(std::string_view operation) const;

    // The shape of the bounds, or ERangeError for one beyond the limits.
    static TShape PlanShape(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb, const TIndex& ub);
    // Whether the array holds storage laid out as Shape plans it.
    bool HoldsShape(const TShape& shape) const;
    // Storage for Shape's elements, zeroed or left for the caller to fill; a
    // text array's with room for TextRoom characters. When memory runs out,
    // OutOfMemoryText is shown and ESilentAbort raised.
    static std::unique_ptr<std::uint8_t[]> AllocateBlock(const TShape& shape, bool zeroed, std::uint32_t textRoom,
                                                         std::string_view outOfMemoryText);
    static std::unique_ptr<std::uint8_t[]> AllocateBytes(std::size_t size, bool zeroed,
                                                         std::string_view outOfMemoryText);
    void Adopt(const TShape& shape, std::unique_ptr<std::uint8_t[]> block);
    // Gives the array new storage laid out as Shape plans it (zeroed).
    void Shape(const TShape& shape, std::string_view outOfMemoryText);
    void Release();
    std::uint8_t* Element(std::uint32_t pos) const { return data_.get() + pos * elementSize_; }
    // Integer kinds only.
    std::int32_t LoadInteger(std::uint32_t pos) const;
    void StoreInteger(std::uint32_t pos, std::int32_t value);
    long double LoadNumber(std::uint32_t pos) const;
    void StoreNumber(std::uint32_t pos, long double value);
    void StoreText(std::uint32_t pos, std::string_view text);
    void ZeroElement(std::uint32_t pos);
    void MoveElement(std::uint32_t dstPos, std::uint32_t srcPos);
    // Sum's first element when it lies within the bounds, kNoPosition otherwise
    // (Sum then reads, and reports, element by element); its division by Op.
    std::uint32_t FirstSummedPosition(const TIndex& index, int outer, int inner) const;
    long double Average(long double sum, int op, int outer, int inner) const;
    void SetIntegerOfKind(std::uint8_t kind, const TIndex& index, long long value, std::string_view badKindText);
    static TShape ShapeForReading(std::uint8_t kind, std::uint8_t subType, int nDim, const TIndex& lb,
                                  const TIndex& ub);
    // Reads Shape's elements into new storage, which the array then takes.
    void ReadElements(const TShape& shape, TGetBuf buf, std::uint16_t& pos);
    void ReadTexts(const TShape& shape, TGetBuf buf, std::uint16_t& pos);
    // The texts of Shape's fields at Pos, Field(at) reading the one at At and
    // moving At past it: one walk sizes the block, a second fills it.
    template <class Field>
    void ReadTextFields(const TShape& shape, std::uint16_t& pos, Field&& field);
    static void SkipElements(const TShape& shape, TGetBuf buf, std::uint16_t& pos);
    // The one reader of the array form: OnElements(shape, buf, pos) takes the
    // element block; the form's checks are made here for both of its users.
    template <class OnElements>
    static void ParseForm(TGetBuf buf, std::uint16_t& pos, OnElements&& onElements);

    // ---- The block of a text array ----
    // For each of its Slots elements the end of its text among the characters
    // (a text starts where the one before it ends), then the room for
    // characters, then the characters back to back. The ends are its elements:
    // zeroing them empties every text and keeps the room.
    static constexpr std::size_t kTextEndSize = 4;
    static constexpr std::size_t kTextRoomSize = 4;
    // The room each element has at least, for a text of up to so many
    // characters (or of its maximum length when shorter): an array of short
    // texts takes a copy of others into the storage it holds.
    static constexpr std::uint32_t kTextRoomPerElement = 15;
    static std::size_t ElementRoom(std::uint8_t subType, std::size_t length) {
        const std::uint32_t maxLen = subType == 0 ? kMaxFieldText : subType;
        return std::max<std::size_t>(length, std::min(maxLen, kTextRoomPerElement));
    }
    // The room a block with this array's texts is given.
    std::uint32_t RoomForTexts() const;
    static std::uint32_t LoadWord32(const std::uint8_t* at) {
        std::uint32_t word;
        std::memcpy(&word, at, sizeof word);
        return word;
    }
    static void StoreWord32(std::uint8_t* at, std::uint32_t word) { std::memcpy(at, &word, sizeof word); }
    static std::size_t TextCharsAt(std::size_t elements) { return elements * kTextEndSize + kTextRoomSize; }
    std::uint32_t Slots() const { return count_ > 0 ? count_ : 1; }
    std::uint32_t TextEnd(std::size_t pos) const { return LoadWord32(data_.get() + kTextEndSize * pos); }
    const char* TextChars() const { return reinterpret_cast<const char*>(data_.get() + TextCharsAt(Slots())); }
    // The characters held and the characters the block has room for.
    std::uint32_t TextLength() const { return TextEnd(Slots() - 1); }
    std::uint32_t TextRoom() const { return LoadWord32(data_.get() + TextCharsAt(Slots()) - kTextRoomSize); }
    // Gives the texts a block with room for at least Length characters.
    void GrowTexts(std::size_t length);

    static constexpr std::string_view kInitOutOfMemory =
        "Out of memory ! Close other applications and restart Corvantis";

    // Packed without gaps: a forecast holds thousands of arrays.
    std::uint8_t kind_ = 0;
    std::uint8_t subType_ = 0;
    std::uint8_t nDim_ = 0;
    std::uint8_t elementSize_ = 0;
    bool modified_ = false;
    std::array<std::int16_t, kMaxDims> lb_{};
    std::array<std::int16_t, kMaxDims> ub_{};
    std::uint16_t byteSize_ = 0;
    std::uint16_t count_ = 0;
    std::uint16_t base_ = 0;
    std::array<std::uint32_t, kMaxDims> dimSize_{};  // UB - LB + 1 of each dimension (may be 0)
    std::array<std::uint16_t, kMaxDims> stride_{};   // the last dimension's stride is 1; at most the count
    std::unique_ptr<std::uint8_t[]> data_;  // at least one element; a text array's block as above
};

// A typed array with the names of the series spanning its dimensions; the form
// in which arrays live in a bag. Dimension names are kept to 16 characters, once
// for the process (TDimNames): the array holds a reference to them.
class TSimArr : public TDynArr {
public:
    static constexpr std::size_t kDimNameMax = TDimNames::kNameMax;

    // One dimension per series, in order: the series' name, lo and hi.
    void InitFromSeries(std::uint8_t kind, std::uint8_t subType, std::span<const TSeries* const> series);
    void InitFromSeries(std::uint8_t kind, std::uint8_t subType, std::initializer_list<const TSeries*> series) {
        InitFromSeries(kind, subType, std::span<const TSeries* const>(series.begin(), series.size()));
    }
    // As TDynArr::Assign, and copies the dimension names.
    void Assign(const TSimArr& src);
    // Name of dimension D (1-based); empty when not built from series. Valid
    // until the process ends.
    std::string_view DimName(int d) const { return dimNames_[static_cast<std::size_t>(d - 1)]; }
    // Whether Other's dimension names are this array's.
    bool SameDimNames(const TSimArr& other) const { return dimNames_ == other.dimNames_; }

    void WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const;
    // As TDynArr::StoredSizeBound, for the named form.
    std::size_t StoredSizeBound() const;
    void ReadFromBuffer(TGetBuf buf, std::uint16_t& pos);
    // The bounds and the names of the dimensions a stored named form declares;
    // the names are views into the bytes read, cut to kDimNameMax.
    struct TStoredDims : TStoredBounds {
        std::array<std::string_view, kMaxDims> names{};
        // The elements as they lie in the buffer, in row-major order, each of
        // its kind's stored size, when the form is laid out as this program
        // writes it (texts of a maximum length excepted); nullptr otherwise.
        const std::uint8_t* elements = nullptr;
    };
    // As TDynArr::CheckBuffer, for the named form.
    static TStoredDims CheckBuffer(TGetBuf buf, std::uint16_t& pos);

private:
    // The bytes WriteToBuffer writes; 0 when TDynArr::FormSize is.
    std::size_t NamedFormSize() const;
    // As TDynArr::FindWrittenForm for the named form at Pos; the dimension
    // names go to Names when given, as views into Buf.
    template <class Take>
    static std::size_t FindWrittenNamedForm(TGetBuf buf, std::size_t pos,
                                            std::array<std::string_view, kMaxDims>* names, Take&& take);

    TDimNames dimNames_;
};
static_assert(TDimNames::kCount == kMaxDims);

// ---- Inline element access: the fast paths ----

inline std::uint32_t TDynArr::PositionWithinBounds(const TIndex& index) const {
    if (index.Count() < nDim_ || nDim_ == 0) [[unlikely]]
        return kNoPosition;
    std::uint32_t position = 0;
    for (int d = 0; d < nDim_; ++d) {
        const auto offset = static_cast<std::uint32_t>(index[d] - lb_[d]);  // below LB wraps to a large value
        if (offset >= dimSize_[d]) [[unlikely]]
            return kNoPosition;
        position += offset * stride_[d];
    }
    return position;
}

inline std::uint32_t TDynArr::Locate(const TIndex& index) const {
    const std::uint32_t position = PositionWithinBounds(index);
    if (position == kNoPosition) [[unlikely]]
        RaiseBadIndex(index);
    return position;
}

inline const std::uint8_t* TDynArr::Real48Element(const TIndex& index) const {
    if (kind_ != dkReal48 || index.Count() != nDim_) return nullptr;
    const std::uint32_t position = PositionWithinBounds(index);
    return position == kNoPosition ? nullptr : data_.get() + kReal48Size * position;
}

inline std::uint32_t TDynArr::CalcIndex(const TIndex& index) const { return Locate(index); }

inline long double TDynArr::GetReal48(const TIndex& index) const {
    if (kind_ != dkReal48) [[unlikely]]
        RaiseKind("[GetReal48] Bad kind : ");
    return LoadReal48(data_.get() + kReal48Size * Locate(index));
}

inline void TDynArr::SetReal48(const TIndex& index, long double value) {
    if (kind_ != dkReal48) [[unlikely]]
        RaiseKind("[SetReal48] Bad kind : ");
    StoreReal48(value, data_.get() + kReal48Size * Locate(index));
    modified_ = true;
}

inline void TDynArr::SetSmallint(const TIndex& index, long long value) {
    if (kind_ != dkSmallint || value < INT16_MIN || value > INT16_MAX) [[unlikely]]
        return SetIntegerOfKind(dkSmallint, index, value, "[SetSmallint] Bad kind : ");
    const auto bits = static_cast<std::uint16_t>(value);
    std::memcpy(data_.get() + sizeof bits * Locate(index), &bits, sizeof bits);
    modified_ = true;
}

}  // namespace cv

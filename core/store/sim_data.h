#pragma once
// The named-value bag: the named scalars and named typed arrays of one cell of
// a data set (one firm x zone x market of one period's results, decisions or
// default decisions, or the industry's constant part).
//
// Both lists are kept sorted by name and searched by binary search. Names
// compare with letter case ignored (ASCII and Western code-page letters);
// symbols sort before digits and digits before letters, as the platform's text
// comparison orders such names. Names are at most 255 characters.
//
// A bag is stored as one tagged buffer of at most 65,521 bytes (its layout is in
// docs/tagged_forms.md). Writing a bag that does not fit raises ERangeError and
// leaves the position where it was; reading a truncated or malformed bag raises
// EDataError naming the item and offset, and leaves the bag as it was.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/byte_buffer.h"
#include "core/store/typed_array.h"

namespace cv {

class TSimData {
public:
    TSimData() = default;
    virtual ~TSimData() = default;
    TSimData(const TSimData&) = delete;
    TSimData& operator=(const TSimData&) = delete;

    // Stores Value under Name, all fields as given (a text cut to its sub type, or
    // to 255 characters), replacing any previous value. A kind outside 0..5 or a
    // name over 255 characters raises ERangeError and stores nothing.
    void SetScalar(std::string_view name, const TSimValue& value);
    // Setters mark the value changed: kind 2 with V (no range check until read
    // back as a Smallint), kind 4 with V as a Real48, kind 5 with maximum length MaxLen.
    void SetScalarInt(std::string_view name, std::int32_t value);
    void SetScalarReal(std::string_view name, long double value);
    void SetScalarZts(std::string_view name, std::string_view text, std::uint8_t maxLen);

    // A stored Smallint scalar as a number: another kind raises EDataError
    // "[GetScalar] expecting kind 2   found <s>", a value outside 16 bits ERangeError.
    static std::int16_t SmallintOf(const TSimValue& stored);

    // Adds Array under Name; the bag owns it and marks it modified, so that a
    // new array is saved even when nothing is written into it. A name already
    // present raises ECvError "String list does not allow duplicates" and the
    // array is freed.
    TSimArr& AddSimArr(std::string_view name, std::unique_ptr<TSimArr> array);
    // The stored scalar or array, or nullptr: the data sets' getters
    // (TCvPerData) read through these and tell the caller of an absent name.
    // A const bag hands out its arrays read-only.
    const TSimValue* FindScalar(std::string_view name) const;
    const TSimArr* FindSimArr(std::string_view name) const;
    TSimArr* FindSimArr(std::string_view name);

    // Room for Count arrays in all: a bag whose arrays are then added one by
    // one, a count known beforehand, allocates its list once. Never shrinks.
    void ReserveArrays(std::size_t count) { arrays_.reserve(count); }
    int ScalarCount() const { return static_cast<int>(scalars_.size()); }
    int ArrayCount() const { return static_cast<int>(arrays_.size()); }
    // Removes every scalar and array not named exactly (letter case included)
    // in ScalarNames and ArrayNames, each list sorted as the bag sorts names.
    void KeepOnly(std::span<const std::string_view> scalarNames, std::span<const std::string_view> arrayNames);
    // The array at Position (from 0) of the bag's order of names.
    TSimArr& ArrayAt(int position) { return *arrays_.at(static_cast<std::size_t>(position)).array; }
    // True when a scalar carries its changed flag or an array its modified flag.
    bool IsModified() const;
    // Marks every scalar changed and every array modified: a save stores the bag whole.
    void MarkChanged();
    // Copies every scalar (changed flags as they are) and a copy of every array
    // (marked modified). Meant for a new bag: a name already present is refused.
    void Assign(const TSimData& src);
    // As Assign, every scalar marked changed too: a copy that a save stores whole.
    void AssignMarked(const TSimData& src);
    // Whether AssignMarkedInPlace can take Src: this bag holds scalars and
    // arrays of exactly Src's names, each array of its source's shape and
    // dimension names, and room for every text of Src.
    bool TakesInPlace(const TSimData& src) const;
    // Only when TakesInPlace(Src): every scalar and array takes its source's
    // value, all marked changed, in the storage already held; nothing is
    // allocated, so nothing fails, and the arrays keep their identity.
    void AssignMarkedInPlace(const TSimData& src);
    // Exchanges the contents of the two bags.
    void Swap(TSimData& other) noexcept {
        scalars_.swap(other.scalars_);
        arrays_.swap(other.arrays_);
    }
    // Writes the counts and names to the log at level 9.
    void LogContents() const;

    void WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const;
    // At least the bytes WriteToBuffer writes, without writing them;
    // kNoSizeBound when the write would raise another error than a full buffer.
    std::size_t StoredSizeBound() const;
    void ReadFromBuffer(TGetBuf buf, std::uint16_t& pos);
    // Moves Pos past the stored bag as ReadFromBuffer does and raises the same
    // EDataError at the same item for any bytes ReadFromBuffer refuses, without
    // building the bag: bytes it passes are read by ReadFromBuffer without a
    // data error. OnArray, when given, meets each array checked: its name, the
    // kind and dimensions its form declares (views into Buf) and where its
    // form begins, to be read with TSimArr::ReadFromBuffer; OnScalar each
    // scalar's name and where its value begins, to be read with ReadSimValue.
    using TArrayDimsVisitor = std::function<void(std::string_view name, const TSimArr::TStoredDims& dims,
                                                 TGetBuf form, std::uint16_t at)>;
    using TScalarVisitor = std::function<void(std::string_view name, TGetBuf value, std::uint16_t at)>;
    static void CheckBuffer(TGetBuf buf, std::uint16_t& pos, const TArrayDimsVisitor& onArray = {},
                            const TScalarVisitor& onScalar = {});

private:
    struct TScalarEntry {
        std::string name;
        TSimValue value;
    };
    struct TArrayEntry {
        std::string name;
        std::unique_ptr<TSimArr> array;
    };

    void CopyFrom(const TSimData& src, bool markScalars);
    static void PutScalar(std::vector<TScalarEntry>& scalars, std::string_view name, const TSimValue& value);
    static TSimArr& PutArray(std::vector<TArrayEntry>& arrays, std::string_view name, std::unique_ptr<TSimArr> array);

    std::vector<TScalarEntry> scalars_;
    std::vector<TArrayEntry> arrays_;
};

// The tagged form of one value; a value read has its changed flag 0.
void WriteSimValue(TPutBuf buf, std::uint16_t& pos, const TSimValue& value);
TSimValue ReadSimValue(TGetBuf buf, std::uint16_t& pos);
// The kind of the value form at Pos and its number as SimValueNumber gives it,
// without copying a text.
struct TSimNumber {
    std::uint8_t kind = 0;
    long double number = 0;
};
TSimNumber ReadSimNumber(TGetBuf buf, std::uint16_t pos);

// Orders names as the bag's lists do: negative, zero or positive.
int CompareNames(std::string_view a, std::string_view b);

}  // namespace cv

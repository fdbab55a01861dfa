#include "core/store/sim_data.h"
#include "core/base/numbers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <utility>

#include "core/store/bag_form.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "core/base/ui_services.h"

namespace cv {

namespace {

constexpr std::string_view kOutOfMemoryText =
    "Out of memory in CopyFile ! Close other applications and restart Corvantis3";
constexpr std::string_view kDuplicateText = "String list does not allow duplicates";
constexpr int kContentsLogLevel = 9;
// Room a bag's array list takes with its first array added, unless reserved:
// the model adds the arrays of a decision cell one by one (eight at most), and
// a list grown a doubling at a time moved its entries again at every step.
constexpr std::size_t kFirstArrayRoom = 8;

// Tags of the value form (docs/tagged_forms.md).
constexpr std::uint8_t kTagKind = 3;
constexpr std::uint8_t kTagSubType = 4;
constexpr std::uint8_t kTagInteger = 5;
constexpr std::uint8_t kTagReal = 6;
constexpr std::uint8_t kTagText = 7;
constexpr std::uint8_t kTagValueEnd = 50;


// Western code-page letters in upper case, so that names compare letter case ignored.
constexpr unsigned char FoldCase(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return c;
    }
}

constexpr bool IsFoldedLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F || c == 0xDF ||
           (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

constexpr std::size_t kByteValues = std::size_t{std::numeric_limits<std::uint8_t>::max()} + 1;

// Sort weight of every byte: symbols first, then digits, then letters, case folded.
constexpr std::array<std::uint16_t, kByteValues> kSortWeights = [] {
    constexpr int kDigitGroup = 0x100;
    constexpr int kLetterGroup = 0x200;
    std::array<std::uint16_t, kByteValues> weights{};
    for (std::size_t raw = 0; raw < kByteValues; ++raw) {
        const unsigned char c = FoldCase(static_cast<unsigned char>(raw));
        int weight = c;
        if (c >= '0' && c <= '9') weight += kDigitGroup;
        if (IsFoldedLetter(c)) weight += kLetterGroup;
        weights[raw] = static_cast<std::uint16_t>(weight);
    }
    return weights;
}();

// CompareNames, inlined where a bag searches or walks its lists.
[[gnu::always_inline]] inline int OrderOfNames(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    // Equal bytes weigh the same: a run of eight equal bytes is passed over at
    // once, and in a word that differs the equal bytes before the first
    // differing one too (names that share a prefix differ a few bytes in).
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= common; i += sizeof(std::uint64_t)) {
        std::uint64_t wordA = 0;
        std::uint64_t wordB = 0;
        std::memcpy(&wordA, a.data() + i, sizeof wordA);
        std::memcpy(&wordB, b.data() + i, sizeof wordB);
        const std::uint64_t differing = wordA ^ wordB;
        if (differing == 0) continue;
        if constexpr (std::endian::native == std::endian::little)
            i += static_cast<std::size_t>(std::countr_zero(differing)) / CHAR_BIT;
        break;
    }
    for (; i < common; ++i) {
        if (a[i] == b[i]) continue;
        const int difference =
            kSortWeights[static_cast<unsigned char>(a[i])] - kSortWeights[static_cast<unsigned char>(b[i])];
        if (difference != 0) return difference;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

// Where Name is or would go in a sorted list, and whether it is there.
template <class List>
auto FindEntry(List& list, std::string_view name) {
    // Bags are written in name order, so a name read usually goes after the last.
    if (list.empty() || OrderOfNames(list.back().name, name) < 0) return std::pair{list.end(), false};
    const auto at = std::lower_bound(list.begin(), list.end(), name, [](const auto& entry, std::string_view key) {
        return OrderOfNames(entry.name, key) < 0;
    });
    const bool found = at != list.end() && OrderOfNames(at->name, name) == 0;
    return std::pair{at, found};
}

// The entry named Name, or nullptr: a search that stops at the first equal name.
template <class List>
auto FindNamed(List& list, std::string_view name) -> decltype(list.data()) {
    std::size_t lo = 0;
    std::size_t hi = list.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        const int order = OrderOfNames(list[mid].name, name);
        if (order == 0) return &list[mid];
        if (order < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return nullptr;
}

// Lists shorter than this are first walked for the name as given, letter case
// included, as the model writes it: comparing lengths, and bytes only of names
// of the same length, costs less than the comparisons of a binary search.
constexpr std::size_t kWalkedBelow = 16;

// The entry named exactly Name, or nullptr.
template <class List>
auto FindExact(List& list, std::string_view name) -> decltype(list.data()) {
    for (auto& entry : list)
        if (entry.name.size() == name.size() && entry.name == name) return &entry;
    return nullptr;
}

// The entry named Name, letter case ignored, or nullptr. The names of a list
// are distinct letter case ignored, so an exact match is the only match.
template <class List>
auto FindByName(List& list, std::string_view name) -> decltype(list.data()) {
    if (list.size() < kWalkedBelow)
        if (auto* entry = FindExact(list, name)) return entry;
    return FindNamed(list, name);
}

void CheckName(std::string_view name) {
    if (name.size() > kMaxFieldText) throw ERangeError();
}

void CheckScalarKind(std::uint8_t kind) {
    if (kind > dkZts) throw ERangeError();
}

// One value form as it lies in the buffer, its text a view into it.
struct TStoredValue {
    std::uint8_t subType = 0;
    std::uint8_t kind = 0;
    std::int32_t integer = 0;
    Real48 real{};
    std::string_view text;
};

TStoredValue ReadStoredValue(TGetBuf buf, std::uint16_t& pos) {
    TStoredValue value;
    for (;;) {
        switch (BufGetByte(buf, pos)) {
        case kTagKind: value.kind = BufGetByte(buf, pos); break;
        case kTagSubType: value.subType = BufGetByte(buf, pos); break;
        case kTagInteger: value.integer = BufGetLong(buf, pos); break;
        case kTagReal: value.real = BufGetReal48Bytes(buf, pos); break;
        case kTagText: value.text = BufGetZtsView(buf, pos, value.subType); break;
        case kTagValueEnd: return value;
        default: break;  // not a tag of this form: skipped
        }
    }
}

// A number value laid out exactly as WriteSimValue lays it out: true with Pos
// after it, false with Pos unchanged for any other layout, which is left to
// ReadStoredValue. Such a value has a valid kind and reads without error.
bool SkipWrittenNumber(TGetBuf buf, std::uint16_t& pos) {
    constexpr std::size_t kHeaderSize = 5;  // kind tag, kind, sub-type tag, sub type, number tag
    const std::size_t end = BufReadableEnd(buf);
    const std::size_t at = pos;
    if (at + kHeaderSize > end) return false;
    const std::uint8_t* header = buf.data + at;
    if (header[0] != kTagKind || header[2] != kTagSubType) return false;
    std::size_t numberSize = 0;
    if (header[1] <= dkWord && header[4] == kTagInteger) numberSize = sizeof(std::int32_t);
    if (header[1] == dkReal48 && header[4] == kTagReal) numberSize = sizeof(Real48);
    const std::size_t endTagAt = at + kHeaderSize + numberSize;
    if (numberSize == 0 || endTagAt >= end || buf.data[endTagAt] != kTagValueEnd) return false;
    pos = static_cast<std::uint16_t>(endTagAt + 1);
    return true;
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) { return OrderOfNames(a, b); }

// ---- Values ----

void WriteSimValue(TPutBuf buf, std::uint16_t& pos, const TSimValue& value) {
    BufPutByte(buf, pos, kTagKind);
    BufPutByte(buf, pos, value.kind);
    BufPutByte(buf, pos, kTagSubType);
    BufPutByte(buf, pos, value.subType);
    if (value.kind <= dkWord) {
        BufPutByte(buf, pos, kTagInteger);
        BufPutLong(buf, pos, value.integer);
    } else if (value.kind == dkReal48) {
        BufPutByte(buf, pos, kTagReal);
        BufPutReal48(buf, pos, value.real);
    } else if (value.kind == dkZts) {
        BufPutByte(buf, pos, kTagText);
        BufPutZts(buf, pos, value.text, value.subType);
    }
    BufPutByte(buf, pos, kTagValueEnd);
}

TSimValue ReadSimValue(TGetBuf buf, std::uint16_t& pos) {
    const TStoredValue stored = ReadStoredValue(buf, pos);
    TSimValue value;
    value.subType = stored.subType;
    value.kind = stored.kind;
    value.integer = stored.integer;
    value.real = stored.real;
    value.text.assign(stored.text);
    return value;
}

TSimNumber ReadSimNumber(TGetBuf buf, std::uint16_t pos) {
    const TStoredValue stored = ReadStoredValue(buf, pos);
    TSimValue number;
    number.kind = stored.kind;
    number.integer = stored.integer;
    number.real = stored.real;
    return {stored.kind, SimValueNumber(number)};
}

// ---- Scalars ----

const TSimValue* TSimData::FindScalar(std::string_view name) const {
    const TScalarEntry* entry = FindByName(scalars_, name);
    return entry ? &entry->value : nullptr;
}

void TSimData::PutScalar(std::vector<TScalarEntry>& scalars, std::string_view name, const TSimValue& value) {
    CheckName(name);
    CheckScalarKind(value.kind);
    TSimValue stored = value;
    stored.text.resize(FitToField(value.text, value.subType).size());
    const auto [at, found] = FindEntry(scalars, name);
    if (found) {
        at->value = std::move(stored);
    } else {
        scalars.insert(at, TScalarEntry{std::string(name), std::move(stored)});
    }
}

void TSimData::SetScalar(std::string_view name, const TSimValue& value) {
    try {
        PutScalar(scalars_, name, value);
    } catch (const std::bad_alloc&) {
        Ui().ShowErrorBox(std::string(kOutOfMemoryText));
        throw ESilentAbort("Out of memory");
    }
}

void TSimData::SetScalarInt(std::string_view name, std::int32_t value) {
    TSimValue stored;
    stored.changed = 1;
    stored.kind = dkSmallint;
    stored.integer = value;
    SetScalar(name, stored);
}

void TSimData::SetScalarReal(std::string_view name, long double value) {
    TSimValue stored;
    stored.changed = 1;
    stored.kind = dkReal48;
    stored.real = ToReal48(value);
    SetScalar(name, stored);
}

void TSimData::SetScalarZts(std::string_view name, std::string_view text, std::uint8_t maxLen) {
    TSimValue stored;
    stored.changed = 1;
    stored.kind = dkZts;
    stored.subType = maxLen;
    stored.text = text;
    SetScalar(name, stored);
}

std::int16_t TSimData::SmallintOf(const TSimValue& stored) {
    if (stored.kind != dkSmallint)
        throw EDataError("[GetScalar] expecting kind " + std::to_string(dkSmallint) + "   found " +
                         std::to_string(stored.kind));
    const auto number = RoundHalfEvenWithin(SimValueNumber(stored), std::numeric_limits<std::int16_t>::min(),
                                            std::numeric_limits<std::int16_t>::max());
    if (!number) throw ERangeError();
    return static_cast<std::int16_t>(*number);
}

// ---- Arrays ----

TSimArr& TSimData::PutArray(std::vector<TArrayEntry>& arrays, std::string_view name, std::unique_ptr<TSimArr> array) {
    CheckName(name);
    if (!array) throw ERangeError();
    const auto [at, found] = FindEntry(arrays, name);
    if (found) throw ECvError(std::string(kDuplicateText));
    return *arrays.insert(at, TArrayEntry{std::string(name), std::move(array)})->array;
}

// An added array is new data of the bag even while all its elements are zero:
// it is marked so that a save stores it.
TSimArr& TSimData::AddSimArr(std::string_view name, std::unique_ptr<TSimArr> array) {
    if (arrays_.capacity() == 0) arrays_.reserve(kFirstArrayRoom);
    TSimArr& added = PutArray(arrays_, name, std::move(array));
    added.MarkModified();
    return added;
}

const TSimArr* TSimData::FindSimArr(std::string_view name) const {
    const TArrayEntry* entry = FindByName(arrays_, name);
    return entry ? entry->array.get() : nullptr;
}

TSimArr* TSimData::FindSimArr(std::string_view name) {
    return const_cast<TSimArr*>(std::as_const(*this).FindSimArr(name));
}

// ---- The whole bag ----

// One walk through each list: both are in the order of CompareNames.
void TSimData::KeepOnly(std::span<const std::string_view> scalarNames, std::span<const std::string_view> arrayNames) {
    const auto keepListed = [](auto& entries, std::span<const std::string_view> names) {
        auto name = names.begin();
        auto kept = entries.begin();
        for (auto& entry : entries) {
            while (name != names.end() && OrderOfNames(*name, entry.name) < 0) ++name;
            if (name == names.end() || *name != entry.name) continue;
            if (&*kept != &entry) *kept = std::move(entry);
            ++kept;
        }
        entries.erase(kept, entries.end());
    };
    keepListed(scalars_, scalarNames);
    keepListed(arrays_, arrayNames);
}

bool TSimData::IsModified() const {
    return std::any_of(scalars_.begin(), scalars_.end(), [](const TScalarEntry& s) { return s.value.changed != 0; }) ||
           std::any_of(arrays_.begin(), arrays_.end(), [](const TArrayEntry& a) { return a.array->IsModified(); });
}

void TSimData::MarkChanged() {
    for (TScalarEntry& scalar : scalars_) scalar.value.changed = 1;
    for (TArrayEntry& entry : arrays_) entry.array->MarkModified();
}

void TSimData::Assign(const TSimData& src) { CopyFrom(src, false); }

void TSimData::AssignMarked(const TSimData& src) { CopyFrom(src, true); }

// The source's lists are sorted and free of repeats: an empty bag takes the
// copies as they are; a bag that holds anything takes them one by one.
void TSimData::CopyFrom(const TSimData& src, bool markScalars) {
    try {
        std::vector<TScalarEntry> scalars(src.scalars_);
        if (markScalars)
            for (TScalarEntry& scalar : scalars) scalar.value.changed = 1;
        std::vector<TArrayEntry> arrays;
        arrays.reserve(src.arrays_.size());
        for (const TArrayEntry& entry : src.arrays_) {
            auto copy = std::make_unique<TSimArr>();
            copy->Assign(*entry.array);  // marks the copy modified
            arrays.push_back(TArrayEntry{entry.name, std::move(copy)});
        }
        if (scalars_.empty() && arrays_.empty()) {
            scalars_ = std::move(scalars);
            arrays_ = std::move(arrays);
            return;
        }
        for (const TScalarEntry& scalar : scalars) PutScalar(scalars_, scalar.name, scalar.value);
        for (TArrayEntry& entry : arrays) PutArray(arrays_, entry.name, std::move(entry.array));
    } catch (const std::bad_alloc&) {
        Ui().ShowErrorBox(std::string(kOutOfMemoryText));
        throw ESilentAbort("Out of memory");
    }
}

bool TSimData::TakesInPlace(const TSimData& src) const {
    if (scalars_.size() != src.scalars_.size() || arrays_.size() != src.arrays_.size()) return false;
    for (std::size_t i = 0; i < scalars_.size(); ++i) {
        const TScalarEntry& mine = scalars_[i];
        const TScalarEntry& theirs = src.scalars_[i];
        if (mine.name != theirs.name || mine.value.text.capacity() < theirs.value.text.size()) return false;
    }
    for (std::size_t i = 0; i < arrays_.size(); ++i) {
        const TSimArr& mine = *arrays_[i].array;
        const TSimArr& theirs = *src.arrays_[i].array;
        if (arrays_[i].name != src.arrays_[i].name || !mine.AssignsInPlace(theirs) || !mine.SameDimNames(theirs))
            return false;
    }
    return true;
}

void TSimData::AssignMarkedInPlace(const TSimData& src) {
    for (std::size_t i = 0; i < scalars_.size(); ++i) {
        scalars_[i].value = src.scalars_[i].value;
        scalars_[i].value.changed = 1;
    }
    // The dimension names are the same already.
    for (std::size_t i = 0; i < arrays_.size(); ++i) arrays_[i].array->TDynArr::Assign(*src.arrays_[i].array);
}

void TSimData::LogContents() const {
    LogFmt(kContentsLogLevel, "   #scal=%d   #sarr=%d", {scalars_.size(), arrays_.size()});
    for (std::size_t i = 0; i < scalars_.size(); ++i) {
        LogFmt(kContentsLogLevel, "   scal %d : %s", {i, scalars_[i].name});
    }
    for (std::size_t i = 0; i < arrays_.size(); ++i) LogFmt(kContentsLogLevel, "   sarr %d : %s", {i, arrays_[i].name});
}

// A scalar: two tags and its name, then six bytes of tags, kind and sub type
// around its number (six bytes at most) or text. An array: two tags and its name.
std::size_t TSimData::StoredSizeBound() const {
    constexpr std::size_t kScalarTags = 2 + 6;
    constexpr std::size_t kNumberBound = 6;
    constexpr std::size_t kArrayTags = 2;
    std::size_t size = 1;  // the bag's end tag
    for (const TScalarEntry& scalar : scalars_) {
        const std::size_t value = scalar.value.kind == dkZts ? TextFieldSizeBound(scalar.value.text, scalar.value.subType)
                                                             : kNumberBound;
        size = AddSizeBounds(size, AddSizeBounds(AddSizeBounds(kScalarTags, value), TextFieldSizeBound(scalar.name, 0)));
    }
    for (const TArrayEntry& entry : arrays_)
        size = AddSizeBounds(size, AddSizeBounds(AddSizeBounds(kArrayTags, entry.array->StoredSizeBound()),
                                                 TextFieldSizeBound(entry.name, 0)));
    return size;
}

void TSimData::WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const {
    const std::uint16_t start = pos;
    try {
        for (const TScalarEntry& scalar : scalars_) {
            BufPutByte(buf, pos, bag_form::kTagScalarName);
            BufPutShortStr(buf, pos, scalar.name, 0);
            BufPutByte(buf, pos, bag_form::kTagScalarValue);
            WriteSimValue(buf, pos, scalar.value);
        }
        for (const TArrayEntry& entry : arrays_) {
            BufPutByte(buf, pos, bag_form::kTagArrayName);
            BufPutShortStr(buf, pos, entry.name, 0);
            BufPutByte(buf, pos, bag_form::kTagArray);
            entry.array->WriteToBuffer(buf, pos);
        }
        BufPutByte(buf, pos, bag_form::kTagBagEnd);
    } catch (...) {
        pos = start;
        throw;
    }
}

// The lists are gathered in scratch lists kept from bag to bag, so that the
// bag's own lists are allocated once, at their final size; the bag changes
// only when the whole form has been read.
void TSimData::ReadFromBuffer(TGetBuf buf, std::uint16_t& pos) {
    thread_local std::vector<TScalarEntry> scalars;
    thread_local std::vector<TArrayEntry> arrays;
    struct TEmptiedOnExit {
        ~TEmptiedOnExit() {
            scalars.clear();
            arrays.clear();
        }
    } emptiedOnExit;
    ParseBagForm(
        buf, pos,
        [](std::string_view name, TGetBuf value, std::uint16_t& at) {
            PutScalar(scalars, name, ReadSimValue(value, at));
        },
        [&list = arrays](std::string_view name, TGetBuf form, std::uint16_t& at) {
            // Default-initialised: every member has its initialiser, and
            // zeroing the whole object first would cost a block fill per array.
            auto array = std::make_unique_for_overwrite<TSimArr>();
            array->ReadFromBuffer(form, at);
            // A stored name fits its length byte, and in a bag written in order
            // it goes after the last: appended without a search.
            if (list.empty() || OrderOfNames(list.back().name, name) < 0) {
                list.push_back(TArrayEntry{std::string(name), std::move(array)});
            } else {
                PutArray(list, name, std::move(array));
            }
        });
    std::vector<TScalarEntry> readScalars(std::make_move_iterator(scalars.begin()),
                                          std::make_move_iterator(scalars.end()));
    std::vector<TArrayEntry> readArrays(std::make_move_iterator(arrays.begin()), std::make_move_iterator(arrays.end()));
    scalars_ = std::move(readScalars);
    arrays_ = std::move(readArrays);
}

// Every check of ReadFromBuffer, in the same order: the value and array forms
// through their own checks, the scalar's kind as PutScalar checks it, and a
// repeated array name as PutArray refuses it. The names seen are views kept in
// a scratch list; bags are written in name order, so a name after the greatest
// so far needs no search.
void TSimData::CheckBuffer(TGetBuf buf, std::uint16_t& pos, const TArrayDimsVisitor& onArray,
                           const TScalarVisitor& onScalar) {
    thread_local std::vector<std::string_view> arrayNames;
    arrayNames.clear();
    std::string_view greatest;
    ParseBagForm(
        buf, pos,
        [&onScalar](std::string_view name, TGetBuf value, std::uint16_t& at) {
            const std::uint16_t begin = at;
            if (!SkipWrittenNumber(value, at)) CheckScalarKind(ReadStoredValue(value, at).kind);
            if (onScalar) onScalar(name, value, begin);
        },
        [&greatest, &onArray](std::string_view name, TGetBuf form, std::uint16_t& at) {
            const std::uint16_t begin = at;
            const TSimArr::TStoredDims dims = TSimArr::CheckBuffer(form, at);
            const bool inOrder = arrayNames.empty() || OrderOfNames(greatest, name) < 0;
            if (!inOrder && std::any_of(arrayNames.begin(), arrayNames.end(),
                                        [name](std::string_view seen) { return CompareNames(seen, name) == 0; }))
                throw ECvError(std::string(kDuplicateText));
            if (inOrder) greatest = name;
            arrayNames.push_back(name);
            if (onArray) onArray(name, dims, form, begin);
        });
}

}  // namespace cv

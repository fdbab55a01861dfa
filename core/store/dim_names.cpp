#include "core/store/dim_names.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "core/base/errors.h"

namespace cv {

namespace {

constexpr std::size_t kCount = TDimNames::kCount;
constexpr std::size_t kNameMax = TDimNames::kNameMax;
constexpr std::size_t kBlockSize = 256;
constexpr std::size_t kBlockCount = 256;  // 65,536 entries: what a 16-bit reference tells apart

// A name as kept.
struct TStoredName {
    std::array<char, kNameMax> chars{};
    std::uint8_t length = 0;
    std::string_view View() const { return {chars.data(), length}; }
};
// A list as kept: the references of its names.
using TNameIds = std::array<std::uint16_t, kCount>;

std::string_view BytesOf(const TNameIds& ids) { return {reinterpret_cast<const char*>(ids.data()), sizeof ids}; }

// Entries in blocks that never move, so that an entry is read without a lock
// while another thread adds one. Entry 0 is all zero: the empty name, the
// list of empty names. Adding happens under the table's lock.
template <class Entry>
class TEntries {
public:
    constexpr TEntries() : blocks_{&first_} {}

    const Entry& operator[](std::uint16_t id) const { return (*blocks_[id / kBlockSize])[id % kBlockSize]; }
    // The place of the next entry, to be filled and then kept by Keep; ERangeError when all are taken.
    Entry& Next() {
        if (count_ == kBlockSize * kBlockCount) throw ERangeError("more distinct dimension names than are kept");
        TBlock*& block = blocks_[count_ / kBlockSize];
        if (block == nullptr) block = more_.emplace_back(std::make_unique<TBlock>()).get();
        return (*block)[count_ % kBlockSize];
    }
    std::uint16_t NextId() const { return static_cast<std::uint16_t>(count_); }
    void Keep() { ++count_; }

private:
    using TBlock = std::array<Entry, kBlockSize>;
    TBlock first_{};
    std::array<TBlock*, kBlockCount> blocks_{};
    std::vector<std::unique_ptr<TBlock>> more_;
    std::size_t count_ = 1;
};

constinit TEntries<TStoredName> storedNames;
constinit TEntries<TNameIds> storedLists;

// The look-up of the entries by their bytes (the characters of a name, the
// references of a list), behind the one lock of the tables. The keys view the
// kept entries.
struct TLookup {
    std::mutex lock;
    std::unordered_map<std::string_view, std::uint16_t> nameIds{{storedNames[0].View(), 0}};
    std::unordered_map<std::string_view, std::uint16_t> listIds{{BytesOf(storedLists[0]), 0}};
};

TLookup& Lookup() {
    static TLookup lookup;
    return lookup;
}

// An entry is kept only once it can be found: a failed insertion leaves its
// place to the next one.
std::uint16_t NameId(TLookup& lookup, std::string_view name) {
    if (const auto found = lookup.nameIds.find(name); found != lookup.nameIds.end()) return found->second;
    TStoredName& stored = storedNames.Next();
    std::copy(name.begin(), name.end(), stored.chars.begin());
    stored.length = static_cast<std::uint8_t>(name.size());
    const std::uint16_t id = storedNames.NextId();
    lookup.nameIds.emplace(stored.View(), id);
    storedNames.Keep();
    return id;
}

std::uint16_t ListId(std::span<const std::string_view> names) {
    TLookup& lookup = Lookup();
    const std::scoped_lock locked(lookup.lock);
    TNameIds ids{};
    for (std::size_t d = 0; d < std::min(names.size(), kCount); ++d)
        ids[d] = NameId(lookup, names[d].substr(0, kNameMax));
    if (const auto found = lookup.listIds.find(BytesOf(ids)); found != lookup.listIds.end()) return found->second;
    TNameIds& stored = storedLists.Next();
    stored = ids;
    const std::uint16_t id = storedLists.NextId();
    lookup.listIds.emplace(BytesOf(stored), id);
    storedLists.Keep();
    return id;
}

// A list's names as fixed-size words, cheap to hash and compare.
struct TListKey {
    std::array<std::uint64_t, 2 * kCount> words{};  // each name's characters, zero-padded to kNameMax
    std::uint64_t lengths = 0;                      // a byte per name
    bool operator==(const TListKey&) const = default;
};
static_assert(sizeof(TListKey::words) == kCount * kNameMax);

TListKey KeyOf(std::span<const std::string_view> names) {
    TListKey key;
    auto* chars = reinterpret_cast<char*>(key.words.data());
    for (std::size_t d = 0; d < std::min(names.size(), kCount); ++d) {
        const std::size_t length = std::min(names[d].size(), kNameMax);
        if (length > 0) std::memcpy(chars + kNameMax * d, names[d].data(), length);  // an empty view may hold no address
        key.lengths |= std::uint64_t{length} << (8 * d);
    }
    return key;
}

// The lists this thread named lately, by a hash of their names: arrays are
// read and made by the thousand with the same few lists. A slot never filled
// holds the empty list, whose reference is 0.
constexpr int kRecentBits = 5;
struct TRecentList {
    TListKey key;
    std::uint16_t id = 0;
};
thread_local std::array<TRecentList, std::size_t{1} << kRecentBits> recentLists;

std::size_t RecentSlot(const TListKey& key) {
    std::uint64_t hash = key.lengths;
    for (const std::uint64_t word : key.words) hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
    return static_cast<std::size_t>(hash >> (64 - kRecentBits));
}

}  // namespace

TDimNames::TDimNames(std::span<const std::string_view> names) {
    const TListKey key = KeyOf(names);
    TRecentList& recent = recentLists[RecentSlot(key)];
    if (recent.key != key) recent = {key, ListId(names)};
    id_ = recent.id;
}

std::string_view TDimNames::operator[](std::size_t d) const { return storedNames[storedLists[id_][d]].View(); }

}  // namespace cv

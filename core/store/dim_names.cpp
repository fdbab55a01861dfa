#include "core/store/dim_names.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <mutex>
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
// A list as kept: the references of its names, and their lengths, a byte
// each, which tell most lists apart at once.
struct TStoredList {
    std::array<std::uint16_t, kCount> names{};
    std::uint64_t lengths = 0;
};

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
constinit TEntries<TStoredList> storedLists;

template <class Word>
Word Load(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Equal texts of Length characters, at most kNameMax: a few word compares.
inline bool SameChars(const char* a, const char* b, std::size_t length) {
    if (length >= 8) return Load<std::uint64_t>(a) == Load<std::uint64_t>(b) &&
                            Load<std::uint64_t>(a + length - 8) == Load<std::uint64_t>(b + length - 8);
    if (length >= 4) return Load<std::uint32_t>(a) == Load<std::uint32_t>(b) &&
                            Load<std::uint32_t>(a + length - 4) == Load<std::uint32_t>(b + length - 4);
    for (std::size_t i = 0; i < length; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

bool NameIs(std::uint16_t id, std::string_view name) {
    const TStoredName& stored = storedNames[id];
    return stored.length == name.size() && SameChars(stored.chars.data(), name.data(), name.size());
}

constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15ULL;

// Every bit of Hash spread over all bits of the result.
std::uint64_t Spread(std::uint64_t hash) {
    hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDULL;
    hash = (hash ^ (hash >> 33)) * 0xC4CEB9FE1A85EC53ULL;
    return hash ^ (hash >> 33);
}

// A hash of a name of at most kNameMax characters from two (overlapping)
// words, to be spread.
inline std::uint64_t HashOfName(std::string_view name) {
    const std::size_t length = name.size();
    const char* chars = name.data();
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    if (length >= 8) {
        first = Load<std::uint64_t>(chars);
        last = Load<std::uint64_t>(chars + length - 8);
    } else if (length >= 4) {
        first = Load<std::uint32_t>(chars);
        last = Load<std::uint32_t>(chars + length - 4);
    } else if (length > 0) {
        first = static_cast<std::uint8_t>(chars[0]) | static_cast<std::uint8_t>(chars[length / 2]) << 8 |
                static_cast<std::uint8_t>(chars[length - 1]) << 16;
    }
    return (first * kMix) ^ (last + length);
}

// What tells a list apart, made in one pass over its names as given: their
// lengths once cut, as a list keeps them, and a hash. Empty names, most of a
// list, count in the hash only by their place.
struct TListKey {
    std::uint64_t lengths = 0;
    std::uint64_t hash = 0;
};

// The length of name D as cut, from a list's lengths.
std::size_t LengthAt(std::uint64_t lengths, std::size_t d) { return (lengths >> (8 * d)) & 0xFF; }

TListKey KeyOf(std::span<const std::string_view> names) {
    TListKey key;
    std::uint64_t hash = 0;
    for (std::size_t d = 0; d < std::min(names.size(), kCount); ++d) {
        const std::size_t length = std::min(names[d].size(), kNameMax);
        key.lengths |= std::uint64_t{length} << (8 * d);
        if (length > 0) hash = (hash ^ HashOfName({names[d].data(), length})) * kMix + d;
    }
    key.hash = Spread(hash);
    return key;
}

std::array<std::string_view, kCount> NamesOf(std::uint16_t id) {
    std::array<std::string_view, kCount> names;
    for (std::size_t d = 0; d < kCount; ++d) names[d] = storedNames[storedLists[id].names[d]].View();
    return names;
}

// Whether list ID holds Names, whose lengths once cut are Lengths.
bool ListIs(std::uint16_t id, std::span<const std::string_view> names, std::uint64_t lengths) {
    const TStoredList& stored = storedLists[id];
    if (stored.lengths != lengths) return false;
    for (std::size_t d = 0; d < std::min(names.size(), kCount); ++d) {
        const std::size_t length = LengthAt(lengths, d);
        if (length > 0 && !SameChars(storedNames[stored.names[d]].chars.data(), names[d].data(), length)) return false;
    }
    return true;
}

// The references of the entries other than 0, by hash: probed from the
// hash's slot on, a free slot (0) ending the search. Kept at most half full.
class TIdIndex {
public:
    TIdIndex() : TIdIndex(256) {}

    template <class Matches>
    std::uint16_t Find(std::uint64_t hash, Matches&& matches) const {
        for (std::size_t slot = hash & Mask();; slot = (slot + 1) & Mask()) {
            const std::uint16_t id = slots_[slot];
            if (id == 0 || matches(id)) return id;
        }
    }
    // HashOf(id) gives the hash of every entry held, for a larger index.
    template <class HashOf>
    void Add(std::uint64_t hash, std::uint16_t id, HashOf&& hashOf) {
        if (2 * (count_ + 1) > slots_.size()) {
            TIdIndex larger(2 * slots_.size());
            for (const std::uint16_t held : slots_)
                if (held != 0) larger.Place(hashOf(held), held);
            *this = std::move(larger);
        }
        Place(hash, id);
    }

private:
    explicit TIdIndex(std::size_t size) : slots_(size) {}
    std::size_t Mask() const { return slots_.size() - 1; }
    void Place(std::uint64_t hash, std::uint16_t id) {
        std::size_t slot = hash & Mask();
        while (slots_[slot] != 0) slot = (slot + 1) & Mask();
        slots_[slot] = id;
        ++count_;
    }

    std::vector<std::uint16_t> slots_;
    std::size_t count_ = 0;
};

// The look-up of the entries, behind the one lock of the tables.
struct TLookup {
    std::mutex lock;
    TIdIndex names;
    TIdIndex lists;
};

TLookup& Lookup() {
    static TLookup lookup;
    return lookup;
}

// An entry is kept only once the index holds it: a failed insertion leaves
// its place to the next one.
std::uint16_t NameId(TLookup& lookup, std::string_view name) {
    if (name.empty()) return 0;
    const std::uint64_t hash = Spread(HashOfName(name));
    if (const std::uint16_t found = lookup.names.Find(hash, [name](std::uint16_t id) { return NameIs(id, name); }))
        return found;
    TStoredName& stored = storedNames.Next();
    std::copy(name.begin(), name.end(), stored.chars.begin());
    stored.length = static_cast<std::uint8_t>(name.size());
    const std::uint16_t id = storedNames.NextId();
    lookup.names.Add(hash, id, [](std::uint16_t held) { return Spread(HashOfName(storedNames[held].View())); });
    storedNames.Keep();
    return id;
}

std::uint16_t ListId(std::span<const std::string_view> names, const TListKey& key) {
    if (key.lengths == 0) return 0;
    TLookup& lookup = Lookup();
    const std::scoped_lock locked(lookup.lock);
    const auto matches = [names, &key](std::uint16_t id) { return ListIs(id, names, key.lengths); };
    if (const std::uint16_t found = lookup.lists.Find(key.hash, matches)) return found;
    TStoredList kept{{}, key.lengths};
    for (std::size_t d = 0; d < std::min(names.size(), kCount); ++d)
        kept.names[d] = NameId(lookup, names[d].substr(0, LengthAt(key.lengths, d)));
    storedLists.Next() = kept;
    const std::uint16_t id = storedLists.NextId();
    lookup.lists.Add(key.hash, id, [](std::uint16_t held) { return KeyOf(NamesOf(held)).hash; });
    storedLists.Keep();
    return id;
}

// The lists this thread named lately, by hash: arrays are read and made by
// the thousand with the same few hundred lists. A slot holds a reference to
// check, never trusted: one never filled holds 0, the list of empty names.
constexpr int kRecentBits = 10;
thread_local std::array<std::uint16_t, std::size_t{1} << kRecentBits> recentLists;

}  // namespace

TDimNames::TDimNames(std::span<const std::string_view> names) {
    const TListKey key = KeyOf(names);
    std::uint16_t& recent = recentLists[key.hash >> (64 - kRecentBits)];
    if (!ListIs(recent, names, key.lengths)) recent = ListId(names, key);
    id_ = recent;
}

// Name by name, each cut as kept; the names not given must be empty.
bool TDimNames::Are(std::span<const std::string_view> names) const {
    const TStoredList& stored = storedLists[id_];
    const std::size_t given = std::min(names.size(), kCount);
    for (std::size_t d = 0; d < given; ++d)
        if (!NameIs(stored.names[d], names[d].substr(0, kNameMax))) return false;
    return (stored.lengths >> (8 * given)) == 0;
}

std::string_view TDimNames::operator[](std::size_t d) const { return storedNames[storedLists[id_].names[d]].View(); }

}  // namespace cv

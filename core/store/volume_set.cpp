#include "core/store/volume_set.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <utility>

#include "core/base/errors.h"

namespace cv {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kNanosecondsPerSecond = 1e9;
constexpr std::size_t kSignatureSectionOffset = 4;
constexpr std::size_t kSignatureSectionSize = kVolSetSignatureLength + 1;
// A read for a volume takes in the whole data area when it fits the free part
// of the cache; otherwise the volumes that follow it, up to this many bytes,
// when at least kMinReadAhead bytes of room are left beside it.
constexpr std::size_t kReadAheadLimit = 65536;
constexpr std::size_t kMinReadAhead = 16384;

std::string ErrnoText(int code) { return std::strerror(code); }

// The local time's offset from UTC at Seconds since 1970. Offsets change on
// whole seconds only, so the last answer is kept for the same second: every
// volume loaded records the time, and the time-zone look-up is the slow part.
long UtcOffsetAt(std::time_t seconds) {
    thread_local std::time_t cachedSeconds = -1;
    thread_local long cachedOffset = 0;
    if (seconds != cachedSeconds) {
        std::tm local{};
        localtime_r(&seconds, &local);
        cachedOffset = local.tm_gmtoff;
        cachedSeconds = seconds;
    }
    return cachedOffset;
}

}  // namespace

// The coarse real-time clock ticks every few milliseconds, finer than a
// date-time needs, and is read without a system call.
TDateTime LocalNowDateTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    const double seconds = static_cast<double>(now.tv_sec + UtcOffsetAt(now.tv_sec)) +
                           static_cast<double>(now.tv_nsec) / kNanosecondsPerSecond;
    return kUnixEpochDateTime + seconds / kSecondsPerDay;
}

TVolSet::TVolSet(TVolSetClock clock) : clock_(std::move(clock)) {}

TVolSet::~TVolSet() = default;

// ---- opening ---------------------------------------------------------------------------------------------

void TVolSet::Reset() {
    file_.Close();
    open_ = false;
    readOnly_ = false;
    changed_ = false;
    header_ = TVolSetHeader{};
    slots_.clear();
    index_ = TVolMagicIndex{};
    chunks_.clear();
    space_ = TVolSpace{};
    spaceBuilt_ = false;
    bytesHeld_ = 0;
    useCounter_ = 0;
    keySpace_ = 1;
}

void TVolSet::Create(const std::string& fileName, const std::string& signature) {
    if (open_) Fail("Create while the set is open");
    Reset();
    fileName_ = fileName;
    if (const int error = file_.Open(fileName, TVolFile::TMode::CreateTruncate))
        Fail("the file cannot be created: " + ErrnoText(error));
    header_.signature = signature.substr(0, kVolSetSignatureLength);
    header_.created = clock_();
    KeysChanged();
    open_ = true;
    changed_ = true;
}

void TVolSet::OpenReadWrite(const std::string& fileName) { Open(fileName, false); }

void TVolSet::OpenReadOnly(const std::string& fileName) { Open(fileName, true); }

void TVolSet::Open(const std::string& fileName, bool readOnly) {
    if (open_) Fail("Open while the set is open");
    Reset();
    fileName_ = fileName;
    const auto mode = readOnly ? TVolFile::TMode::ReadOnly : TVolFile::TMode::ReadWrite;
    if (const int error = file_.Open(fileName, mode)) Fail("the file cannot be opened: " + ErrnoText(error));
    try {
        ReadHeader();
        ReadTable();
    } catch (...) {
        Reset();
        throw;
    }
    KeysChanged();
    readOnly_ = readOnly;
    open_ = true;
}

void TVolSet::ReadHeader() {
    TVolSetHeaderBytes bytes{};
    std::size_t got = 0;
    if (const int error = file_.ReadAt(0, bytes.data(), bytes.size(), got))
        Fail("reading the header failed: " + ErrnoText(error));
    header_ = DecodeVolSetHeader(std::span<const std::uint8_t>(bytes.data(), got), fileName_);
}

void TVolSet::ReadTable() {
    std::int64_t fileSize = 0;
    if (const int error = file_.Size(fileSize)) Fail("the file size cannot be read: " + ErrnoText(error));
    const std::int64_t tableSize = std::int64_t{header_.volCount} * kTabVolSize;
    if (header_.tableOffset + tableSize > fileSize)
        Fail("the volume table (" + std::to_string(header_.volCount) + " entries at offset " +
             std::to_string(header_.tableOffset) + ") runs past the end of the file (" + std::to_string(fileSize) +
             " bytes)");
    const auto table = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(tableSize));
    std::size_t got = 0;
    if (const int error = file_.ReadAt(header_.tableOffset, table.get(), static_cast<std::size_t>(tableSize), got))
        Fail("reading the volume table failed: " + ErrnoText(error));
    if (got != static_cast<std::size_t>(tableSize)) Fail("the volume table is truncated");
    const auto count = static_cast<std::size_t>(header_.volCount);
    slots_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        slots_.emplace_back().tab = DecodeTabVol(table.get() + i * kTabVolSize);
        CheckEntry(slots_[i].tab, static_cast<int>(i), i == 0 ? INT32_MIN : slots_[i - 1].tab.magic);
    }
}

void TVolSet::CheckEntry(const TTabVol& entry, int position, std::int32_t previousMagic) const {
    const auto which = [&] {
        return "volume table entry " + std::to_string(position + 1) + " (magic " + std::to_string(entry.magic) + ")";
    };
    if (entry.offset < kVolSetHeaderSize || std::int64_t{entry.offset} + entry.size > header_.tableOffset)
        Fail(which() + " places " + std::to_string(entry.size) + " bytes at offset " + std::to_string(entry.offset) +
             ", outside the data area " + std::to_string(kVolSetHeaderSize) + ".." +
             std::to_string(header_.tableOffset));
    if (position > 0 && entry.magic <= previousMagic)
        Fail(which() + " does not follow the magic " + std::to_string(previousMagic) + " in ascending order");
}

// The extents that the file on disk refers to when its table lies at TableOffset.
std::vector<TExtent> TVolSet::LiveExtents(std::int64_t tableOffset) const {
    std::vector<TExtent> live;
    live.reserve(slots_.size() + 2);
    live.push_back({0, kVolSetHeaderSize});
    for (const TVolSlot& slot : slots_) live.push_back({slot.tab.offset, slot.tab.size});
    live.push_back({tableOffset, std::int64_t{kTabVolSize} * static_cast<std::int64_t>(slots_.size())});
    return live;
}

// Until the first write the volumes lie where the header on disk says.
TVolSpace& TVolSet::Space() {
    if (!spaceBuilt_) {
        space_.Rebuild(LiveExtents(header_.tableOffset));
        spaceBuilt_ = true;
    }
    return space_;
}

void TVolSet::AddKey(const std::string& name, std::int16_t low, std::int16_t high) {
    RequireWritable();
    if (header_.keyCount >= kMaxVolSetKeys) Fail("a ninth key (\"" + name + "\") cannot be declared");
    if (!slots_.empty()) Fail("keys cannot be declared once volumes exist (\"" + name + "\")");
    if (low > high)
        Fail("key \"" + name + "\" has bounds " + std::to_string(low) + ".." + std::to_string(high));
    std::array<THdrKey, kMaxVolSetKeys> keys = header_.keys;
    keys[static_cast<std::size_t>(header_.keyCount)] = {name.substr(0, kVolKeyNameLength), low, high};
    if (!KeySpaceFits(std::span<const THdrKey>(keys.data(), static_cast<std::size_t>(header_.keyCount) + 1)))
        Fail("key \"" + name + "\" would give more than " + std::to_string(kMaxKeyCombinations) + " key combinations");
    header_.keys = keys;
    ++header_.keyCount;
    KeysChanged();
    changed_ = true;
}

void TVolSet::RequireOpen() const {
    if (!open_) Fail("the set is not open");
}

void TVolSet::RequireWritable() const {
    RequireOpen();
    if (readOnly_) Fail("the set is open read-only");
}

void TVolSet::Fail(const std::string& detail) const { RaiseVolSetError(fileName_, detail); }

// ---- keys ------------------------------------------------------------------------------------------------

std::int32_t TVolSet::CalcMagic(TVolKeys keys) const {
    std::int64_t magic = 0;
    std::int64_t weight = 1;
    bool weightBeyond32Bits = false;
    for (std::size_t k = 0; k < static_cast<std::size_t>(header_.keyCount); ++k) {
        const THdrKey& key = header_.keys[k];
        const bool given = k < keys.size() && keys[k] != kVolKeyUnset;
        const std::int64_t digit = given ? std::int64_t{keys[k]} - key.low + 1 : 0;
        if (digit != 0) {
            if (weightBeyond32Bits) throw EOverflowError("Integer overflow");
            magic += digit * weight;
            if (magic > INT32_MAX || magic < INT32_MIN) throw EOverflowError("Integer overflow");
        }
        weight *= std::int64_t{key.high} - key.low + 2;
        if (weight > INT32_MAX) {
            weightBeyond32Bits = true;
            weight = 1;
        }
    }
    return static_cast<std::int32_t>(magic);
}

void TVolSet::KeysChanged() {
    std::int64_t weight = 1;
    digits_ = {};
    for (int k = 0; k < header_.keyCount; ++k) {
        const THdrKey& key = header_.keys[static_cast<std::size_t>(k)];
        digits_[static_cast<std::size_t>(k)] = {key.low, key.high, weight};
        weight *= std::int64_t{key.high} - key.low + 2;  // at most 2^31 - 1 in all: the header checks it
    }
    keySpace_ = weight;
    std::vector<std::int32_t> magics(slots_.size());
    for (std::size_t i = 0; i < slots_.size(); ++i) magics[i] = slots_[i].tab.magic;
    index_.Assign(std::move(magics), weight);
}

// Whether every given value is unset or inside its key's bounds, with the
// magic CalcMagic gives: in bounds, it stays below the number of key
// combinations and cannot overflow.
bool TVolSet::MagicInBounds(TVolKeys keys, std::int32_t& magic) const {
    std::int64_t sum = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::int16_t value = keys[k];
        if (value == kVolKeyUnset) continue;
        if (k >= digits_.size()) return false;
        const TKeyDigit& key = digits_[k];
        if (value < key.low || value > key.high) return false;
        sum += (std::int64_t{value} - key.low + 1) * key.weight;
    }
    magic = static_cast<std::int32_t>(sum);
    return true;
}

std::int32_t TVolSet::MagicForStore(TVolKeys keys) const {
    std::int32_t magic = 0;
    if (!MagicInBounds(keys, magic)) {
        std::string text;
        for (std::int16_t value : keys) text += (text.empty() ? "" : ", ") + std::to_string(value);
        Fail("a volume cannot be stored under the keys (" + text + "): a value lies outside its key's bounds");
    }
    return magic;
}

std::string TVolSet::KeysText(const TTabVol& entry) const {
    std::string text = "volume (";
    for (int k = 0; k < header_.keyCount; ++k)
        text += (k ? ", " : "") + std::to_string(entry.keys[static_cast<std::size_t>(k)]);
    return text + ")";
}

// ---- store and load --------------------------------------------------------------------------------------

void TVolSet::VolumeSet(const void* data, std::uint16_t size, TVolKeys keys) {
    RequireWritable();
    const std::int32_t magic = MagicForStore(keys);
    bool found = false;
    const std::size_t position = index_.Find(magic, found);
    if (!found && slots_.size() >= static_cast<std::size_t>(kMaxVolumes))
        Fail("a volume set holds at most " + std::to_string(kMaxVolumes) + " volumes");
    // The bytes are copied first: Data may point into a cached block that
    // making room is about to release.
    TVolHolder block = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    if (size > 0) std::memcpy(block.get(), data, size);
    if (found)
        ReplaceVolume(slots_[position], std::move(block), size);
    else
        InsertVolume(position, magic, keys, std::move(block), size);
    TVolSlot& slot = slots_[position];
    slot.tab.stored = clock_();
    header_.lastStored = slot.tab.stored;
    slot.dirty = true;
    slot.lastUse = ++useCounter_;
    changed_ = true;
}

std::int64_t TVolSet::AllocateExtent(std::uint16_t size) {
    const std::int64_t offset = Space().Allocate(size);
    if (offset < 0) Fail("the file would grow beyond 2 GiB");
    return offset;
}

void TVolSet::InsertVolume(std::size_t position, std::int32_t magic, TVolKeys keys,
                           TVolHolder block, std::uint16_t size) {
    MakeRoom(size, nullptr);
    TVolSlot slot;
    slot.tab.offset = static_cast<std::int32_t>(AllocateExtent(size));
    slot.tab.size = size;
    for (std::size_t k = 0; k < slot.tab.keys.size(); ++k) slot.tab.keys[k] = k < keys.size() ? keys[k] : kVolKeyUnset;
    slot.tab.created = clock_();
    slot.tab.magic = magic;
    slot.fresh = true;
    SetOwnBlock(slot, std::move(block));
    slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(position), std::move(slot));
    index_.Insert(position, magic);
}

// A volume whose bytes the file on disk refers to moves to new space; one
// placed since the last commit is rewritten where it is when its size stays.
void TVolSet::ReplaceVolume(TVolSlot& slot, TVolHolder block, std::uint16_t size) {
    // Bytes in a read chunk are what the file holds: dropping them first loses nothing.
    if (slot.chunk != kNoChunk) ReleaseBlock(slot);
    MakeRoom(size, &slot);
    if (!slot.fresh || slot.tab.size != size) {
        const TExtent previous{slot.tab.offset, slot.tab.size};
        slot.tab.offset = static_cast<std::int32_t>(AllocateExtent(size));
        if (slot.fresh) Space().Release(previous);
        slot.fresh = true;
    }
    ReleaseBlock(slot);
    slot.tab.size = size;
    SetOwnBlock(slot, std::move(block));
}

void TVolSet::SetOwnBlock(TVolSlot& slot, TVolHolder block) {
    slot.block = std::move(block);
    slot.bytes = slot.block.get();
    slot.loadDue = false;
    bytesHeld_ += slot.tab.size;
}

bool TVolSet::VolumeGet(const std::uint8_t*& data, std::uint16_t& size, TVolKeys keys) {
    data = nullptr;
    size = 0;
    RequireOpen();
    std::int32_t magic = 0;
    if (!MagicInBounds(keys, magic)) return false;
    if (!index_.Contains(magic)) return false;
    bool found = false;
    Deliver(slots_[index_.Find(magic, found)], data, size);
    return true;
}

void TVolSet::VolumesWithPrefix(TVolKeys prefix, const TVolVisit& visit) {
    ShareVolumesWithPrefix(prefix, [&visit](TVolKeys keys, const std::uint8_t* data, std::uint16_t size,
                                            const TVolHolder&) { visit(keys, data, size); });
}

void TVolSet::ShareVolumesWithPrefix(TVolKeys prefix, const TVolShareVisit& visit) {
    RequireOpen();
    std::int32_t base = 0;
    if (!MagicInBounds(prefix, base)) return;
    const auto count = static_cast<std::size_t>(header_.keyCount);
    const std::size_t given = std::min(prefix.size(), count);
    // The prefix's digits lie below Stride; the trailing keys' combinations are its multiples.
    const std::int64_t stride = given < count ? digits_[given].weight : keySpace_;
    const std::int64_t combinations = keySpace_ / stride;
    inLoadBatch_ = true;
    batchTimeRead_ = false;
    struct TBatchEnd {
        bool& flag;
        ~TBatchEnd() { flag = false; }
    } batchEnd{inLoadBatch_};
    if (combinations > static_cast<std::int64_t>(slots_.size())) {
        VisitPrefixByTable(base, stride, visit);
        return;
    }
    // The trailing keys count through their combinations as the digits of an odometer, first key fastest.
    TKeyValues keys = KeysOfMagic(base);
    std::array<std::int64_t, kMaxVolSetKeys> digit{};
    for (std::int64_t rest = 0; rest < combinations; ++rest) {
        const auto magic = static_cast<std::int32_t>(base + rest * stride);
        if (index_.Contains(magic)) VisitMagic(magic, keys, visit);
        for (std::size_t k = given; k < count; ++k) {
            const TKeyDigit& key = digits_[k];
            if (++digit[k] < std::int64_t{key.high} - key.low + 2) {
                keys[k] = static_cast<std::int16_t>(key.low + digit[k] - 1);
                break;
            }
            digit[k] = 0;
            keys[k] = kVolKeyUnset;
        }
    }
}

// More combinations than volumes: the table is the shorter walk. A magic
// outside the key space follows from no keys, as for VolumeGet.
void TVolSet::VisitPrefixByTable(std::int32_t base, std::int64_t stride, const TVolShareVisit& visit) {
    std::vector<std::int32_t> matching;
    for (const TVolSlot& slot : slots_)
        if (slot.tab.magic >= 0 && slot.tab.magic < keySpace_ && slot.tab.magic % stride == base)
            matching.push_back(slot.tab.magic);
    for (std::int32_t magic : matching) VisitMagic(magic, KeysOfMagic(magic), visit);
}

TVolSet::TKeyValues TVolSet::KeysOfMagic(std::int32_t magic) const {
    TKeyValues keys{};
    for (std::size_t k = 0; k < static_cast<std::size_t>(header_.keyCount); ++k) {
        const TKeyDigit& key = digits_[k];
        const std::int64_t digit = magic / key.weight % (std::int64_t{key.high} - key.low + 2);
        keys[k] = digit == 0 ? kVolKeyUnset : static_cast<std::int16_t>(key.low + digit - 1);
    }
    return keys;
}

void TVolSet::VisitMagic(std::int32_t magic, const TKeyValues& keys, const TVolShareVisit& visit) {
    bool found = false;
    TVolSlot& slot = slots_[index_.Find(magic, found)];
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    Deliver(slot, data, size);
    const TVolHolder& holder = slot.chunk != kNoChunk ? chunks_[static_cast<std::size_t>(slot.chunk)].bytes : slot.block;
    visit(TVolKeys(keys.data(), static_cast<std::size_t>(header_.keyCount)), data, size, holder);
}

TDateTime TVolSet::LoadTime() {
    if (!inLoadBatch_) return clock_();
    if (!batchTimeRead_) {
        batchTime_ = clock_();
        batchTimeRead_ = true;
    }
    return batchTime_;
}

void TVolSet::VolumeGetAt(int position, const std::uint8_t*& data, std::uint16_t& size) {
    RequireOpen();
    if (position < 0 || position >= VolumeCount()) throw ERangeError();
    Deliver(slots_[static_cast<std::size_t>(position)], data, size);
}

void TVolSet::Deliver(TVolSlot& slot, const std::uint8_t*& data, std::uint16_t& size) {
    if (!slot.bytes) LoadVolume(slot);
    if (slot.loadDue) StampLoad(slot);
    MarkUsed(slot);
    data = slot.bytes;
    size = slot.tab.size;
}

void TVolSet::MarkUsed(TVolSlot& slot) {
    slot.lastUse = ++useCounter_;
    if (slot.chunk != kNoChunk) chunks_[static_cast<std::size_t>(slot.chunk)].lastUse = slot.lastUse;
}

// A volume's load date is the time it was first asked for since its bytes came
// from the file. Reading alone changes nothing on disk: the dates are written
// with the next flush that has a change to write.
void TVolSet::StampLoad(TVolSlot& slot) {
    slot.tab.loaded = LoadTime();
    header_.lastLoaded = slot.tab.loaded;
    slot.loadDue = false;
}

// Reads Slot, and the volumes around it that fit, in one call. Only volumes
// not in memory are taken from the bytes read: a cached one may be newer than
// its copy in the file, and an uncached one always has its bytes there (a
// changed volume is written before its block is released).
void TVolSet::LoadVolume(TVolSlot& slot) {
    if (slot.tab.size == 0) {
        SetOwnBlock(slot, std::make_unique<std::uint8_t[]>(0));
        slot.loadDue = true;
        return;
    }
    MakeRoom(slot.tab.size, &slot);
    const TReadWindow window = PlanRead(slot);
    const int chunk = NewChunk(window.size);
    std::uint8_t* bytes = chunks_[static_cast<std::size_t>(chunk)].bytes.get();
    std::size_t got = 0;
    const int error = file_.ReadAt(window.offset, bytes, window.size, got);
    if (error || window.offset + static_cast<std::int64_t>(got) < std::int64_t{slot.tab.offset} + slot.tab.size) {
        ReleaseChunk(chunk);
        Fail("reading " + KeysText(slot.tab) + " of " + std::to_string(slot.tab.size) + " bytes at offset " +
             std::to_string(slot.tab.offset) + " failed: " + (error ? ErrnoText(error) : "the file ends before it"));
    }
    CacheVolumesOfChunk(chunk, {window.offset, got});
}

// The whole data area when it fits the free part of the cache, else Slot and
// what follows it while it fits, else Slot alone.
TVolSet::TReadWindow TVolSet::PlanRead(const TVolSlot& slot) const {
    const std::size_t room = bytesHeld_ < kMemoryLimit ? kMemoryLimit - bytesHeld_ : 0;
    const std::int64_t areaEnd = header_.tableOffset;
    const std::int64_t slotEnd = std::int64_t{slot.tab.offset} + slot.tab.size;
    const bool inArea = slotEnd <= areaEnd;
    if (inArea && static_cast<std::size_t>(areaEnd - kVolSetHeaderSize) <= room)
        return {kVolSetHeaderSize, static_cast<std::size_t>(areaEnd - kVolSetHeaderSize)};
    std::size_t size = slot.tab.size;
    if (inArea && room >= size + kMinReadAhead)
        size = static_cast<std::size_t>(
            std::min<std::int64_t>(areaEnd - slot.tab.offset, std::min(room, std::max(kReadAheadLimit, size))));
    return {slot.tab.offset, size};
}

int TVolSet::NewChunk(std::size_t size) {
    auto free = std::find_if(chunks_.begin(), chunks_.end(), [](const TReadChunk& c) { return !c.bytes; });
    if (free == chunks_.end()) free = chunks_.insert(chunks_.end(), TReadChunk{});
    free->bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    free->size = size;
    free->users = 0;
    free->lastUse = 0;
    bytesHeld_ += size;
    return static_cast<int>(free - chunks_.begin());
}

void TVolSet::CacheVolumesOfChunk(int chunk, const TReadWindow& window) {
    TReadChunk& read = chunks_[static_cast<std::size_t>(chunk)];
    const std::int64_t end = window.offset + static_cast<std::int64_t>(window.size);
    for (TVolSlot& slot : slots_) {
        if (slot.bytes || slot.tab.size == 0) continue;
        if (slot.tab.offset < window.offset || std::int64_t{slot.tab.offset} + slot.tab.size > end) continue;
        slot.bytes = read.bytes.get() + (slot.tab.offset - window.offset);
        slot.chunk = chunk;
        slot.loadDue = true;
        ++read.users;
    }
}

// ---- cache -----------------------------------------------------------------------------------------------

// A volume in a read chunk counts as used when any volume of its chunk was:
// the chunk is released as a whole.
std::uint64_t TVolSet::LastUseOfBytes(const TVolSlot& slot) const {
    return slot.chunk == kNoChunk ? slot.lastUse : chunks_[static_cast<std::size_t>(slot.chunk)].lastUse;
}

void TVolSet::MakeRoom(std::size_t size, const TVolSlot* keep) {
    const std::size_t kept = keep && keep->block ? keep->tab.size : 0;
    const int keptChunk = keep ? keep->chunk : kNoChunk;
    while (bytesHeld_ - kept + size > kMemoryLimit) {
        // Least recently used first; the access counter never ties, and the
        // lowest position would win if it did.
        TVolSlot* victim = nullptr;
        for (TVolSlot& slot : slots_) {
            if (!slot.bytes || &slot == keep || (slot.chunk != kNoChunk && slot.chunk == keptChunk)) continue;
            if (!victim || LastUseOfBytes(slot) < LastUseOfBytes(*victim)) victim = &slot;
        }
        if (!victim) Fail("no cached volume can be released to make room");
        if (victim->chunk != kNoChunk) {
            ReleaseChunk(victim->chunk);
            continue;
        }
        if (victim->dirty) WriteVolume(*victim);
        ReleaseBlock(*victim);
    }
}

void TVolSet::WriteVolume(TVolSlot& slot) {
    const TExtent extent{slot.tab.offset, slot.tab.size};
    // Only space that the file on disk does not refer to is ever written.
    if (!slot.fresh || Space().OverlapsCommitted(extent))
        Fail("internal error: " + KeysText(slot.tab) + " would overwrite live bytes at offset " +
             std::to_string(slot.tab.offset));
    if (const int error = file_.WriteAt(slot.tab.offset, slot.bytes, slot.tab.size))
        Fail("writing " + KeysText(slot.tab) + " at offset " + std::to_string(slot.tab.offset) +
             " failed: " + ErrnoText(error));
    slot.dirty = false;
}

void TVolSet::ReleaseBlock(TVolSlot& slot) {
    if (!slot.bytes) return;
    slot.bytes = nullptr;
    slot.loadDue = false;
    if (slot.chunk == kNoChunk) {
        bytesHeld_ -= slot.tab.size;
        slot.block.reset();
        return;
    }
    TReadChunk& chunk = chunks_[static_cast<std::size_t>(slot.chunk)];
    slot.chunk = kNoChunk;
    if (--chunk.users == 0) {
        bytesHeld_ -= chunk.size;
        chunk.bytes.reset();
    }
}

void TVolSet::ReleaseChunk(int chunk) {
    for (TVolSlot& slot : slots_)
        if (slot.chunk == chunk) ReleaseBlock(slot);
    TReadChunk& read = chunks_[static_cast<std::size_t>(chunk)];
    if (read.bytes) {  // a chunk that no volume came to use
        bytesHeld_ -= read.size;
        read.bytes.reset();
    }
}

// ---- flush and close -------------------------------------------------------------------------------------

void TVolSet::Flush() {
    RequireOpen();
    if (readOnly_ || !changed_) return;
    WriteDirtyVolumes();
    SyncFile("after writing the volumes");
    TVolSetHeader header = header_;
    header.volCount = static_cast<std::int32_t>(slots_.size());
    header.tableOffset = static_cast<std::int32_t>(WriteTable());
    SyncFile("after writing the volume table");
    WriteHeader(header);
    SyncFile("after writing the header");
    Commit(header);
}

void TVolSet::WriteDirtyVolumes() {
    for (TVolSlot& slot : slots_)
        if (slot.bytes && slot.dirty) WriteVolume(slot);
}

// Writes the table behind the last volume, never over the table on disk.
std::int64_t TVolSet::WriteTable() {
    std::int64_t dataEnd = kVolSetHeaderSize;
    for (const TVolSlot& slot : slots_) dataEnd = std::max(dataEnd, std::int64_t{slot.tab.offset} + slot.tab.size);
    std::vector<std::uint8_t> table(slots_.size() * kTabVolSize);
    for (std::size_t i = 0; i < slots_.size(); ++i) EncodeTabVol(slots_[i].tab, table.data() + i * kTabVolSize);
    const std::int64_t offset = Space().PlaceTable(dataEnd, static_cast<std::int64_t>(table.size()));
    if (offset < 0) Fail("the file would grow beyond 2 GiB");
    if (const int error = file_.WriteAt(offset, table.data(), table.size()))
        Fail("writing the volume table at offset " + std::to_string(offset) + " failed: " + ErrnoText(error));
    return offset;
}

void TVolSet::WriteHeader(const TVolSetHeader& header) {
    const TVolSetHeaderBytes bytes = EncodeVolSetHeader(header);
    if (const int error = file_.WriteAt(0, bytes.data(), bytes.size()))
        Fail("writing the header failed: " + ErrnoText(error));
}

void TVolSet::SyncFile(const char* step) {
    if (const int error = file_.Sync()) Fail(std::string("syncing the file ") + step + " failed: " + ErrnoText(error));
}

// The header on disk now describes the current state: its space becomes the
// committed state, and what lay beyond the new table is dead.
void TVolSet::Commit(const TVolSetHeader& header) {
    header_ = header;
    for (TVolSlot& slot : slots_) slot.fresh = false;
    space_.Rebuild(LiveExtents(header_.tableOffset));
    spaceBuilt_ = true;
    changed_ = false;
    std::int64_t fileSize = 0;
    // A failed trim only leaves dead bytes behind the table.
    if (file_.Size(fileSize) == 0 && fileSize > space_.FreeEnd()) static_cast<void>(file_.Truncate(space_.FreeEnd()));
}

void TVolSet::Close() {
    if (!open_) return;
    Flush();
    Reset();
}

// ---- signature test --------------------------------------------------------------------------------------

bool IsVolSetFile(const std::string& fileName, const std::string& signature) {
    TVolFile file;
    if (file.Open(fileName, TVolFile::TMode::ReadOnly) != 0) return false;
    std::uint8_t section[kSignatureSectionSize];
    std::size_t got = 0;
    if (file.ReadAt(kSignatureSectionOffset, section, sizeof section, got) != 0 || got < sizeof section) return false;
    const std::size_t length = section[0];
    if (length > kVolSetSignatureLength) return false;
    return std::string(reinterpret_cast<const char*>(section + 1), length) == signature;
}

}  // namespace cv

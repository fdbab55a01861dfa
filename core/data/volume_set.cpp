#include "core/data/volume_set.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <utility>

#include "core/services/errors.h"

namespace cv {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr std::size_t kSignatureSectionOffset = 4;
constexpr std::size_t kSignatureSectionSize = kVolSetSignatureLength + 1;

std::string ErrnoText(int code) { return std::strerror(code); }

}  // namespace

TDateTime LocalNowDateTime() {
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double fraction = duration<double>(now - system_clock::from_time_t(seconds)).count();
    return kUnixEpochDateTime + (static_cast<double>(seconds + local.tm_gmtoff) + fraction) / kSecondsPerDay;
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
    space_ = TVolSpace{};
    bytesHeld_ = 0;
    useCounter_ = 0;
}

void TVolSet::Create(const std::string& fileName, const std::string& signature) {
    if (open_) Fail("Create while the set is open");
    Reset();
    fileName_ = fileName;
    if (const int error = file_.Open(fileName, TVolFile::TMode::CreateTruncate))
        Fail("the file cannot be created: " + ErrnoText(error));
    header_.signature = signature.substr(0, kVolSetSignatureLength);
    header_.created = clock_();
    space_.Rebuild({{0, kVolSetHeaderSize}});
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
    space_.Rebuild(LiveExtents(header_.tableOffset));
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
    std::vector<std::uint8_t> table(static_cast<std::size_t>(tableSize));
    std::size_t got = 0;
    if (const int error = file_.ReadAt(header_.tableOffset, table.data(), table.size(), got))
        Fail("reading the volume table failed: " + ErrnoText(error));
    if (got != table.size()) Fail("the volume table is truncated");
    slots_.resize(static_cast<std::size_t>(header_.volCount));
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        slots_[i].tab = DecodeTabVol(table.data() + i * kTabVolSize);
        CheckEntry(slots_[i].tab, static_cast<int>(i), i == 0 ? INT32_MIN : slots_[i - 1].tab.magic);
    }
}

void TVolSet::CheckEntry(const TTabVol& entry, int position, std::int32_t previousMagic) const {
    const std::string which = "volume table entry " + std::to_string(position + 1) + " (magic " +
                              std::to_string(entry.magic) + ")";
    if (entry.offset < kVolSetHeaderSize || std::int64_t{entry.offset} + entry.size > header_.tableOffset)
        Fail(which + " places " + std::to_string(entry.size) + " bytes at offset " + std::to_string(entry.offset) +
             ", outside the data area " + std::to_string(kVolSetHeaderSize) + ".." +
             std::to_string(header_.tableOffset));
    if (position > 0 && entry.magic <= previousMagic)
        Fail(which + " does not follow the magic " + std::to_string(previousMagic) + " in ascending order");
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

void TVolSet::AddKey(const std::string& name, std::int16_t low, std::int16_t high) {
    RequireWritable();
    if (header_.keyCount >= kMaxVolSetKeys) Fail("a ninth key (\"" + name + "\") cannot be declared");
    if (!slots_.empty()) Fail("keys cannot be declared once volumes exist (\"" + name + "\")");
    if (low > high)
        Fail("key \"" + name + "\" has bounds " + std::to_string(low) + ".." + std::to_string(high));
    std::array<THdrKey, kMaxVolSetKeys> keys = header_.keys;
    keys[static_cast<std::size_t>(header_.keyCount)] = {name.substr(0, kVolKeyNameLength), low, high};
    if (!KeySpaceFits(std::span<const THdrKey>(keys.data(), static_cast<std::size_t>(header_.keyCount) + 1)))
        Fail("key \"" + name + "\" would give more than 2147483647 key combinations");
    header_.keys = keys;
    ++header_.keyCount;
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

bool TVolSet::KeysInBounds(TVolKeys keys) const {
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (keys[k] == kVolKeyUnset) continue;
        if (k >= static_cast<std::size_t>(header_.keyCount)) return false;
        const THdrKey& key = header_.keys[k];
        if (keys[k] < key.low || keys[k] > key.high) return false;
    }
    return true;
}

std::int32_t TVolSet::MagicForStore(TVolKeys keys) const {
    if (!KeysInBounds(keys)) {
        std::string text;
        for (std::int16_t value : keys) text += (text.empty() ? "" : ", ") + std::to_string(value);
        Fail("a volume cannot be stored under the keys (" + text + "): a value lies outside its key's bounds");
    }
    const std::int32_t magic = CalcMagic(keys);
    if (magic == INT32_MAX) Fail("the keys give the reserved magic 2147483647");
    return magic;
}

std::size_t TVolSet::FindMagic(std::int32_t magic, bool& found) const {
    auto it = std::lower_bound(slots_.begin(), slots_.end(), magic,
                               [](const TVolSlot& slot, std::int32_t m) { return slot.tab.magic < m; });
    found = it != slots_.end() && it->tab.magic == magic;
    return static_cast<std::size_t>(it - slots_.begin());
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
    const std::size_t position = FindMagic(magic, found);
    if (!found && slots_.size() >= static_cast<std::size_t>(kMaxVolumes))
        Fail("a volume set holds at most 4096 volumes");
    // The bytes are copied first: Data may point into a cached block that
    // making room is about to release.
    auto block = std::make_unique_for_overwrite<std::uint8_t[]>(size);
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
    const std::int64_t offset = space_.Allocate(size);
    if (offset < 0) Fail("the file would grow beyond 2 GiB");
    return offset;
}

void TVolSet::InsertVolume(std::size_t position, std::int32_t magic, TVolKeys keys,
                           std::unique_ptr<std::uint8_t[]> block, std::uint16_t size) {
    MakeRoom(size, nullptr);
    TVolSlot slot;
    slot.tab.offset = static_cast<std::int32_t>(AllocateExtent(size));
    slot.tab.size = size;
    for (std::size_t k = 0; k < slot.tab.keys.size(); ++k) slot.tab.keys[k] = k < keys.size() ? keys[k] : kVolKeyUnset;
    slot.tab.created = clock_();
    slot.tab.magic = magic;
    slot.bytes = std::move(block);
    slot.fresh = true;
    slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(position), std::move(slot));
    bytesHeld_ += size;
}

// A volume whose bytes the file on disk refers to moves to new space; one
// placed since the last commit is rewritten where it is when its size stays.
void TVolSet::ReplaceVolume(TVolSlot& slot, std::unique_ptr<std::uint8_t[]> block, std::uint16_t size) {
    MakeRoom(size, &slot);
    if (!slot.fresh || slot.tab.size != size) {
        const TExtent previous{slot.tab.offset, slot.tab.size};
        slot.tab.offset = static_cast<std::int32_t>(AllocateExtent(size));
        if (slot.fresh) space_.Release(previous);
        slot.fresh = true;
    }
    ReleaseBlock(slot);
    slot.tab.size = size;
    slot.bytes = std::move(block);
    bytesHeld_ += size;
}

bool TVolSet::VolumeGet(const std::uint8_t*& data, std::uint16_t& size, TVolKeys keys) {
    data = nullptr;
    size = 0;
    RequireOpen();
    if (!KeysInBounds(keys)) return false;
    const std::int32_t magic = CalcMagic(keys);
    if (magic == INT32_MAX) Fail("the keys give the reserved magic 2147483647");
    bool found = false;
    const std::size_t position = FindMagic(magic, found);
    if (!found) return false;
    VolumeGetAt(static_cast<int>(position), data, size);
    return true;
}

void TVolSet::VolumeGetAt(int position, const std::uint8_t*& data, std::uint16_t& size) {
    RequireOpen();
    if (position < 0 || position >= VolumeCount()) throw ERangeError();
    TVolSlot& slot = slots_[static_cast<std::size_t>(position)];
    if (!slot.bytes) LoadVolume(slot);
    slot.lastUse = ++useCounter_;
    data = slot.bytes.get();
    size = slot.tab.size;
}

void TVolSet::LoadVolume(TVolSlot& slot) {
    MakeRoom(slot.tab.size, &slot);
    auto block = std::make_unique_for_overwrite<std::uint8_t[]>(slot.tab.size);
    std::size_t got = 0;
    const int error = file_.ReadAt(slot.tab.offset, block.get(), slot.tab.size, got);
    if (error || got != slot.tab.size)
        Fail("reading " + KeysText(slot.tab) + " of " + std::to_string(slot.tab.size) + " bytes at offset " +
             std::to_string(slot.tab.offset) + " failed: " + (error ? ErrnoText(error) : "the file ends before it"));
    slot.bytes = std::move(block);
    bytesHeld_ += slot.tab.size;
    slot.tab.loaded = clock_();
    header_.lastLoaded = slot.tab.loaded;
    if (!readOnly_) changed_ = true;
}

// ---- cache -----------------------------------------------------------------------------------------------

void TVolSet::MakeRoom(std::size_t size, const TVolSlot* keep) {
    const std::size_t kept = keep && keep->bytes ? keep->tab.size : 0;
    while (bytesHeld_ - kept + size > kMemoryLimit) {
        // Least recently used first; the access counter never ties, and the
        // lowest position would win if it did.
        TVolSlot* victim = nullptr;
        for (TVolSlot& slot : slots_)
            if (slot.bytes && &slot != keep && (!victim || slot.lastUse < victim->lastUse)) victim = &slot;
        if (!victim) Fail("no cached volume can be released to make room");
        if (victim->dirty) WriteVolume(*victim);
        ReleaseBlock(*victim);
    }
}

void TVolSet::WriteVolume(TVolSlot& slot) {
    const TExtent extent{slot.tab.offset, slot.tab.size};
    // Only space that the file on disk does not refer to is ever written.
    if (!slot.fresh || space_.OverlapsCommitted(extent))
        Fail("internal error: " + KeysText(slot.tab) + " would overwrite live bytes at offset " +
             std::to_string(slot.tab.offset));
    if (const int error = file_.WriteAt(slot.tab.offset, slot.bytes.get(), slot.tab.size))
        Fail("writing " + KeysText(slot.tab) + " at offset " + std::to_string(slot.tab.offset) +
             " failed: " + ErrnoText(error));
    slot.dirty = false;
}

void TVolSet::ReleaseBlock(TVolSlot& slot) {
    if (!slot.bytes) return;
    bytesHeld_ -= slot.tab.size;
    slot.bytes.reset();
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
    const std::int64_t offset = space_.PlaceTable(dataEnd, static_cast<std::int64_t>(table.size()));
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

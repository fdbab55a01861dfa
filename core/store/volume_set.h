#pragma once
// TVolSet: the keyed container file that holds the industry file and the
// language text file. One file of up to 4,096 volumes (byte blocks of at most
// 65,535 bytes), each addressed by up to 8 small-integer keys; a volume table
// sorted by the magic (the keys read as the digits of one number) follows the
// volumes. Volume bytes pass through a cache of at most 1 MiB: a volume not in
// memory is read in one call together with the volumes around it in the file,
// as many as the free part of the cache holds. The layout, the write order and
// the cache are written up in docs/volume_set_format.md.
//
// Saving is crash-safe: a volume is never written over bytes that the header on
// disk still refers to. New and changed volumes go to dead space or the free
// end of the file; a flush writes them, syncs, writes the table where nothing
// live lies, syncs, then writes the header and syncs. A crash at any point
// leaves either the previous or the new state.
//
// Every failure (a missing, foreign or corrupt file, a write error, a store
// under keys outside their bounds) raises EVolSetError naming the file; the
// file keeps its last flushed state. A set opened read-only never writes.

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/store/volume_set_file.h"
#include "core/store/volume_set_header.h"
#include "core/store/volume_set_index.h"
#include "core/store/volume_set_space.h"

namespace cv {

// A date-time: days since 30 December 1899, local time; the fraction is the time of day.
using TDateTime = double;
using TVolSetClock = std::function<TDateTime()>;

// Days from 30 December 1899 to 1 January 1970.
inline constexpr double kUnixEpochDateTime = 25569.0;

// The current local date-time.
TDateTime LocalNowDateTime();

// Key values in key order; kVolKeyUnset (or a missing trailing value) leaves a key unset.
using TVolKeys = std::span<const std::int16_t>;

class TVolSet {
public:
    static constexpr std::size_t kMemoryLimit = 1048576;

    // Clock gives every date-time the set records (created, stored, loaded).
    explicit TVolSet(TVolSetClock clock = LocalNowDateTime);
    TVolSet(const TVolSet&) = delete;
    TVolSet& operator=(const TVolSet&) = delete;
    // Releases the memory and the file handle; writes nothing (callers Close first).
    ~TVolSet();

    // Creates (or empties) FileName for a new set with Signature (cut to 128
    // characters); keys follow with AddKey. The header is written at the first
    // flush or close.
    void Create(const std::string& fileName, const std::string& signature);
    void OpenReadWrite(const std::string& fileName);
    void OpenReadOnly(const std::string& fileName);
    // Reads and checks the header and the volume table; no volume bytes are read.
    void Open(const std::string& fileName, bool readOnly);

    // Declares the next key (name cut to 16 characters). Refused on a ninth
    // key, once volumes exist, with Low > High, when the key combinations would
    // no longer fit the magic, and on a read-only set.
    void AddKey(const std::string& name, std::int16_t low, std::int16_t high);

    // Stores Size bytes from Data as the volume with these keys. A new volume
    // takes new space; a volume stored again, with the same size or another,
    // moves to space that the file on disk does not use (until the next flush
    // its previous bytes stay valid). Keys outside their bounds are refused.
    void VolumeSet(const void* data, std::uint16_t size, TVolKeys keys);
    void VolumeSet(const void* data, std::uint16_t size, std::initializer_list<std::int16_t> keys) {
        VolumeSet(data, size, TVolKeys(keys.begin(), keys.size()));
    }

    // True when a volume with these keys exists: Data then points at its bytes
    // in the cache, valid until the next store or load on this set. False (Data
    // null, Size 0) for keys never stored and for keys outside their bounds.
    bool VolumeGet(const std::uint8_t*& data, std::uint16_t& size, TVolKeys keys);
    bool VolumeGet(const std::uint8_t*& data, std::uint16_t& size, std::initializer_list<std::int16_t> keys) {
        return VolumeGet(data, size, TVolKeys(keys.begin(), keys.size()));
    }

    // Calls Visit(keys, data, size) for every volume whose leading keys are
    // Prefix, each as VolumeGet would give it, in magic order (the last key
    // varies slowest). Keys are the volume's keys read back from its magic, one
    // per declared key. Data is valid while Visit runs. The volumes first asked
    // for in one call share one clock reading as their load date. Nothing is
    // visited when Prefix holds a value outside its key's bounds.
    using TVolVisit = std::function<void(TVolKeys keys, const std::uint8_t* data, std::uint16_t size)>;
    void VolumesWithPrefix(TVolKeys prefix, const TVolVisit& visit);
    // As VolumesWithPrefix, each volume handed over with the holder of the
    // memory its bytes lie in (a read or a stored block, never written after it
    // was filled): a reader that keeps a copy of the holder may view the bytes,
    // unchanged, whatever the set stores, loads or releases afterwards.
    using TVolHolder = std::shared_ptr<std::uint8_t[]>;
    using TVolShareVisit = std::function<void(TVolKeys keys, const std::uint8_t* data, std::uint16_t size,
                                              const TVolHolder& holder)>;
    void ShareVolumesWithPrefix(TVolKeys prefix, const TVolShareVisit& visit);

    // The volume at table Position (0-based), through the cache as VolumeGet;
    // for diagnostics that walk the table.
    void VolumeGetAt(int position, const std::uint8_t*& data, std::uint16_t& size);

    // Makes the file hold the current state (volumes, sync, table, sync,
    // header, sync); the file stays open. Does nothing on a read-only set, nor
    // when nothing was stored or declared since the last flush (load dates wait
    // for the next flush that writes).
    void Flush();
    // Flush, then release the cache and close the file. When the flush fails
    // the error is raised and the set stays open.
    void Close();

    // The magic of Keys: key k's digit (value - low + 1, 0 when unset) times
    // the product of the radixes (high - low + 2) of the keys before it. Values
    // are not checked against the bounds; a value outside them can push the
    // sum beyond 32 bits, which raises EOverflowError.
    std::int32_t CalcMagic(TVolKeys keys) const;

    bool IsOpen() const { return open_; }
    bool IsReadOnly() const { return readOnly_; }
    const std::string& FileName() const { return fileName_; }
    // The header as last read or flushed, with the current key declarations
    // and date-times.
    const TVolSetHeader& Header() const { return header_; }
    int VolumeCount() const { return static_cast<int>(slots_.size()); }
    // Entry Position (0-based) of the volume table, in magic order.
    const TTabVol& Entry(int position) const { return slots_.at(static_cast<std::size_t>(position)).tab; }
    std::size_t BytesInMemory() const { return bytesHeld_; }

private:
    static constexpr int kNoChunk = -1;

    struct TVolSlot {
        TTabVol tab;
        const std::uint8_t* bytes = nullptr;    // the cached bytes (in Block or in a read chunk), or none
        // A block of its own: a stored volume, or an empty one. Blocks and read
        // chunks are never written after they are filled, and may outlive the
        // cache in the holders handed out.
        TVolHolder block;
        int chunk = kNoChunk;                   // the read chunk that Bytes point into
        bool dirty = false;                     // the block differs from the bytes at tab.offset
        bool fresh = false;                     // tab.offset was allocated since the last commit
        bool loadDue = false;                   // read from the file but not yet asked for: no load date yet
        std::uint64_t lastUse = 0;              // access counter of the last store or load
    };

    // File bytes read in one call; the volumes lying wholly inside them are
    // cached there. The chunk is released as a whole.
    struct TReadChunk {
        TVolHolder bytes;  // none: the entry is free for the next read
        std::size_t size = 0;
        int users = 0;             // slots whose bytes lie in it
        std::uint64_t lastUse = 0;  // the latest access to any of them
    };

    // A key's bounds and the weight of its digit in the magic (the product of
    // the radixes of the keys before it). An undeclared key has no values.
    struct TKeyDigit {
        std::int16_t low = 1;
        std::int16_t high = 0;
        std::int64_t weight = 0;
    };

    // A file range that one read fetches.
    struct TReadWindow {
        std::int64_t offset = 0;
        std::size_t size = 0;
    };

    void Reset();
    void RequireOpen() const;
    void RequireWritable() const;
    [[noreturn]] void Fail(const std::string& detail) const;
    void ReadHeader();
    void ReadTable();
    void CheckEntry(const TTabVol& entry, int position, std::int32_t previousMagic) const;
    std::vector<TExtent> LiveExtents(std::int64_t tableOffset) const;
    // The free-space map of the committed state, built when first needed:
    // a set that is only read never needs it.
    TVolSpace& Space();

    // After the keys were read or declared: the weight of each key's digit and the index of the magics.
    void KeysChanged();
    // The magic of Keys when every given value is inside its key's bounds.
    bool MagicInBounds(TVolKeys keys, std::int32_t& magic) const;
    std::int32_t MagicForStore(TVolKeys keys) const;
    std::int64_t AllocateExtent(std::uint16_t size);
    void InsertVolume(std::size_t position, std::int32_t magic, TVolKeys keys, TVolHolder block,
                      std::uint16_t size);
    void ReplaceVolume(TVolSlot& slot, TVolHolder block, std::uint16_t size);
    void SetOwnBlock(TVolSlot& slot, TVolHolder block);
    // Slot's bytes, read when not in memory.
    void Deliver(TVolSlot& slot, const std::uint8_t*& data, std::uint16_t& size);
    void LoadVolume(TVolSlot& slot);
    TReadWindow PlanRead(const TVolSlot& slot) const;
    int NewChunk(std::size_t size);
    void CacheVolumesOfChunk(int chunk, const TReadWindow& window);
    void MarkUsed(TVolSlot& slot);
    void StampLoad(TVolSlot& slot);
    // The clock for a load date: read once per batch of loads, else at every call.
    TDateTime LoadTime();
    using TKeyValues = std::array<std::int16_t, kMaxVolSetKeys>;
    void VisitPrefixByTable(std::int32_t base, std::int64_t stride, const TVolShareVisit& visit);
    // The keys that Magic follows from, one per declared key.
    TKeyValues KeysOfMagic(std::int32_t magic) const;
    // Visits the volume at Magic, present in the table, under Keys.
    void VisitMagic(std::int32_t magic, const TKeyValues& keys, const TVolShareVisit& visit);

    // Frees cached blocks and chunks, least recently used first, until Size
    // more bytes fit under the limit; Keep is never chosen. A dirty victim is
    // written first.
    void MakeRoom(std::size_t size, const TVolSlot* keep);
    std::uint64_t LastUseOfBytes(const TVolSlot& slot) const;
    void WriteVolume(TVolSlot& slot);
    void ReleaseBlock(TVolSlot& slot);
    void ReleaseChunk(int chunk);

    void WriteDirtyVolumes();
    std::int64_t WriteTable();
    void WriteHeader(const TVolSetHeader& header);
    void Commit(const TVolSetHeader& header);
    void SyncFile(const char* step);
    std::string KeysText(const TTabVol& entry) const;

    TVolSetClock clock_;
    TVolFile file_;
    std::string fileName_;
    bool open_ = false;
    bool readOnly_ = false;
    bool changed_ = false;  // the table or the header differs from the file
    TVolSetHeader header_;
    std::array<TKeyDigit, kMaxVolSetKeys> digits_{};
    std::vector<TVolSlot> slots_;  // sorted by strictly ascending magic
    TVolMagicIndex index_;         // the slots' magics
    std::int64_t keySpace_ = 1;    // the number of key combinations, magics 0..keySpace_ - 1
    bool inLoadBatch_ = false;     // within one call that may load many volumes
    bool batchTimeRead_ = false;   // the batch's clock reading is in batchTime_
    TDateTime batchTime_ = 0;
    std::vector<TReadChunk> chunks_;
    TVolSpace space_;
    bool spaceBuilt_ = false;  // Space_ describes the committed state
    std::size_t bytesHeld_ = 0;
    std::uint64_t useCounter_ = 0;
};

// Whether FileName holds Signature in its signature section (the 129 bytes at
// offset 4), compared exactly. False for a file that cannot be opened, is too
// short to hold the section, or has a length byte beyond 128.
bool IsVolSetFile(const std::string& fileName, const std::string& signature);

}  // namespace cv

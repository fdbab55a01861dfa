#pragma once
// The fixed-size records of a volume-set file and their byte forms: the
// 365-byte header (four sections: signature, numbers, date-times, key
// descriptors) and the 50-byte volume-table entry. All integers little-endian;
// date-times are IEEE doubles counting days from 30 December 1899, local time.
// The layout is written up in docs/volume_set_format.md.

#include <array>
#include <cstdint>
#include <cstddef>
#include <span>
#include <string>

namespace cv {

inline constexpr std::int32_t kVolSetVersion = 1;
inline constexpr int kMaxVolSetKeys = 8;
inline constexpr int kMaxVolumes = 4096;
inline constexpr std::size_t kVolSetSignatureLength = 128;
inline constexpr std::size_t kVolKeyNameLength = 16;
// A key descriptor: the name as a short string, then the low and high bounds.
inline constexpr std::int32_t kHdrKeySize = 1 + kVolKeyNameLength + 2 + 2;
// The header: four sections, each an id and a length (2 bytes each) before its
// body: the signature as a short string, seven 32-bit numbers, three
// date-times and the key descriptors.
inline constexpr std::int32_t kVolSetHeaderSize =
    4 * (2 + 2) + (1 + kVolSetSignatureLength) + 7 * 4 + 3 * 8 + kMaxVolSetKeys * kHdrKeySize;
static_assert(kVolSetHeaderSize == 365, "the header's size is part of the file format");
// A table entry: offset, size, the keys, three date-times and the magic.
inline constexpr std::int32_t kTabVolSize = 4 + 2 + kMaxVolSetKeys * 2 + 3 * 8 + 4;
static_assert(kTabVolSize == 50, "the table entry's size is part of the file format");
// Magics are 32-bit: the highest is reserved, so the key space must stay below it.
inline constexpr std::int64_t kMaxKeyCombinations = INT32_MAX;
// A key value that says "this key is not given"; its digit in the magic is 0.
inline constexpr std::int16_t kVolKeyUnset = 32767;

// One declared key: its name and the bounds of its values.
struct THdrKey {
    std::string name;
    std::int16_t low = 0;
    std::int16_t high = 0;
};

struct TVolSetHeader {
    std::string signature;
    std::int32_t headerSize = kVolSetHeaderSize;
    std::int32_t version = kVolSetVersion;
    std::int32_t keyCount = 0;
    std::int32_t keySize = kHdrKeySize;
    std::int32_t volCount = 0;
    std::int32_t volSize = kTabVolSize;
    std::int32_t tableOffset = kVolSetHeaderSize;
    double created = 0;
    double lastStored = 0;
    double lastLoaded = 0;
    std::array<THdrKey, kMaxVolSetKeys> keys;
};

// One volume-table entry.
struct TTabVol {
    std::int32_t offset = 0;
    std::uint16_t size = 0;
    std::array<std::int16_t, kMaxVolSetKeys> keys{};
    double created = 0;
    double stored = 0;
    double loaded = 0;  // 0 = never loaded
    std::int32_t magic = 0;
};

using TVolSetHeaderBytes = std::array<std::uint8_t, kVolSetHeaderSize>;

// Raises EVolSetError with "Volume set <file>: <detail>".
[[noreturn]] void RaiseVolSetError(const std::string& fileName, const std::string& detail);

// Whether every combination of key values has a magic below kMaxKeyCombinations
// (the reserved one): the product of the radixes (high - low + 2) must not exceed it.
bool KeySpaceFits(std::span<const THdrKey> keys);

// The header's byte form. Texts longer than their slot are cut; descriptors
// beyond the key count are written as zeros.
TVolSetHeaderBytes EncodeVolSetHeader(const TVolSetHeader& header);

// Reads a header from Bytes (the first bytes of the file, possibly fewer than
// kVolSetHeaderSize) and checks every field that a reader relies on: section ids and
// lengths, header size, version, key count, descriptor and entry sizes, volume
// count, a table offset not inside the header, key names within their slot,
// key bounds low <= high and a key space that fits the magic. Anything else raises EVolSetError naming FileName and
// the field. Descriptors beyond the key count are ignored.
TVolSetHeader DecodeVolSetHeader(std::span<const std::uint8_t> bytes, const std::string& fileName);

void EncodeTabVol(const TTabVol& entry, std::uint8_t* out);
// Reads one entry from kTabVolSize bytes at In; every bit pattern is a value,
// so the checks (offset, size, order) belong to the caller.
TTabVol DecodeTabVol(const std::uint8_t* in);

}  // namespace cv

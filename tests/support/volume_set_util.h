#pragma once
// Helpers shared by the volume-set tests: a clock the test moves by hand,
// little-endian field access on raw file bytes, and the industry file's keys.

#include <cstdint>
#include <map>
#include <string>

#include "core/store/volume_set.h"

namespace cv::test {

// A clock that stands still until the test moves it.
struct ManualClock {
    TDateTime now = 36526.5;  // 1 January 2000, noon
    TVolSetClock Function() {
        return [this] { return now; };
    }
};

inline std::int32_t GetI32(const std::string& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes.at(offset + static_cast<std::size_t>(i)));
    return static_cast<std::int32_t>(v);
}

inline void PutI32(std::string& bytes, std::size_t offset, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<char>(v >> (8 * i));
}

inline void PutU16(std::string& bytes, std::size_t offset, std::uint16_t value) {
    bytes.at(offset) = static_cast<char>(value & 0xFF);
    bytes.at(offset + 1) = static_cast<char>(value >> 8);
}

inline const char kIndustrySignature[] = "Quen*or VolSet - Corvantis3 Industry Version 2 - 1998";

// Volumes of a set with one key, by key value.
using TVolumes = std::map<std::int16_t, std::string>;

// A new set of File, signature "Sig", with one key "K" of 1..High.
inline void CreateWithOneKey(TVolSet& set, const std::string& file, std::int16_t high = 9) {
    set.Create(file, "Sig");
    set.AddKey("K", 1, high);
}

// The five keys of the industry file, in their declared order.
inline void AddIndustryKeys(TVolSet& set) {
    set.AddKey("VkVolType", 1, 6);
    set.AddKey("VkPeriod", -1, 12);
    set.AddKey("VkFta", 1, 3);
    set.AddKey("VkMarket", 1, 3);
    set.AddKey("VkFirm", 1, 6);
}

// Bytes of a volume: Size copies of Fill.
inline std::string Payload(std::size_t size, char fill) { return std::string(size, fill); }

// The volume with these keys as a string, or "<none>".
inline std::string Load(TVolSet& set, std::initializer_list<std::int16_t> keys) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    if (!set.VolumeGet(data, size, keys)) return "<none>";
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline void Store(TVolSet& set, const std::string& bytes, std::initializer_list<std::int16_t> keys) {
    set.VolumeSet(bytes.data(), static_cast<std::uint16_t>(bytes.size()), keys);
}

// Stores each of Volumes under its key, in a set with one key.
inline void StoreAll(TVolSet& set, const TVolumes& volumes) {
    for (const auto& [key, bytes] : volumes) Store(set, bytes, {key});
}

// The volumes of a set with one key, by key value from 1 to Last, as File reopened read-only holds them.
inline TVolumes ReadVolumes(const std::string& file, std::int16_t last = 100) {
    TVolSet set;
    set.OpenReadOnly(file);
    TVolumes volumes;
    for (std::int16_t key = 1; key <= last; ++key)
        if (std::string bytes = Load(set, {key}); bytes != "<none>") volumes[key] = bytes;
    return volumes;
}

}  // namespace cv::test

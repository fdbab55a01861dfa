#include "core/zip/zip_empty_entry.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string_view>

namespace cv {
namespace {

// The records of the zip format, each field little-endian at its offset:
// end of the central directory: +10 entry count, +12 directory size, +16 its offset;
// central record: +8 flags, +10 method, +16 sum, +20 compressed size, +28/+30/+32 the
// lengths of name, extra field and comment, +42 the local header's offset, +46 the name;
// local header: +14 sum, +26/+28 the lengths of name and extra field, then the data;
// data descriptor (flag bit 3): the sum, after the signature when it has one.
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kDescriptorSignature = 0x08074b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kMaxComment = 0xFFFF;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
constexpr std::size_t kDescriptorSize = 8;
constexpr std::uint16_t kDescriptorFlag = 1 << 3;
constexpr std::uint16_t kStored = 0;
constexpr std::uint32_t kZip64Marker = 0xFFFFFFFF;

// Bytes of the archive, read on demand; every field read is range-checked.
class ArchiveBytes {
public:
    explicit ArchiveBytes(const std::string& archive) : file_(archive, std::ios::binary | std::ios::ate) {
        if (file_) size_ = static_cast<std::uint64_t>(file_.tellg());
    }
    std::uint64_t Size() const { return size_; }
    std::optional<std::string> Read(std::uint64_t offset, std::uint64_t count) {
        if (!file_ || offset > size_ || count > size_ - offset) return std::nullopt;
        std::string bytes(count, '\0');
        file_.seekg(static_cast<std::streamoff>(offset));
        file_.read(bytes.data(), static_cast<std::streamsize>(count));
        if (static_cast<std::uint64_t>(file_.gcount()) != count) return std::nullopt;
        return bytes;
    }

private:
    std::ifstream file_;
    std::uint64_t size_ = 0;
};

std::uint32_t Field(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// The sums of the local header at Offset (and its descriptor) are those of no data.
bool LocalSumsEmpty(ArchiveBytes& archive, std::uint64_t offset, std::string_view central) {
    const auto local = archive.Read(offset, kLocalSize);
    if (!local || Field(*local, 0, 4) != kLocalSignature || Field(*local, 14, 4) != 0) return false;
    const bool storedWithDescriptor =
        (Field(central, 8, 2) & kDescriptorFlag) != 0 && Field(central, 10, 2) == kStored;
    if (!storedWithDescriptor) return true;
    const std::uint64_t dataEnd =
        offset + kLocalSize + Field(*local, 26, 2) + Field(*local, 28, 2) + Field(central, 20, 4);
    const auto descriptor = archive.Read(dataEnd, kDescriptorSize);
    if (!descriptor) return false;
    return Field(*descriptor, Field(*descriptor, 0, 4) == kDescriptorSignature ? 4 : 0, 4) == 0;
}

}  // namespace

bool EmptyEntrySumHolds(const std::string& path, const std::string& name) {
    ArchiveBytes archive(path);
    if (archive.Size() < kEndSize) return false;
    const std::uint64_t tailSize = std::min<std::uint64_t>(archive.Size(), kEndSize + kMaxComment);
    const auto tail = archive.Read(archive.Size() - tailSize, tailSize);
    if (!tail) return false;
    const std::size_t end = tail->rfind(std::string_view("PK\x05\x06", 4), tail->size() - kEndSize);
    if (end == std::string::npos) return false;
    const std::uint32_t directoryOffset = Field(*tail, end + 16, 4);
    if (directoryOffset == kZip64Marker || Field(*tail, end + 12, 4) == kZip64Marker) return true;
    const auto directory = archive.Read(directoryOffset, Field(*tail, end + 12, 4));
    if (!directory) return false;
    for (std::size_t at = 0; at + kCentralSize <= directory->size() && Field(*directory, at, 4) == kCentralSignature;) {
        const std::string_view central(directory->data() + at, kCentralSize);
        const std::size_t nameLength = Field(central, 28, 2);
        const std::size_t next = at + kCentralSize + nameLength + Field(central, 30, 2) + Field(central, 32, 2);
        if (at + kCentralSize + nameLength > directory->size()) return false;
        if (directory->compare(at + kCentralSize, nameLength, name) == 0)
            return Field(central, 16, 4) == 0 && LocalSumsEmpty(archive, Field(central, 42, 4), central);
        at = next;
    }
    return false;
}

}  // namespace cv

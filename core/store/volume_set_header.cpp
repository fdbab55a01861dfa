#include "core/store/volume_set_header.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/base/errors.h"

namespace cv {

namespace {

// Section ids and lengths of the header, in file order.
struct TSectionForm {
    std::uint16_t id;
    std::uint16_t length;
};
constexpr TSectionForm kSignatureSection{1, 1 + kVolSetSignatureLength};
constexpr TSectionForm kNumbersSection{2, 7 * 4};
constexpr TSectionForm kDatesSection{3, 3 * 8};
constexpr TSectionForm kKeysSection{4, kMaxVolSetKeys * kHdrKeySize};

// Sequential little-endian writer over a buffer that is known to be large enough.
class TLeWriter {
public:
    explicit TLeWriter(std::uint8_t* out) : out_(out) {}
    void U16(std::uint16_t v) { Bytes(2, v); }
    void I16(std::int16_t v) { Bytes(2, static_cast<std::uint16_t>(v)); }
    void I32(std::int32_t v) { Bytes(4, static_cast<std::uint32_t>(v)); }
    void F64(double v) { Bytes(8, std::bit_cast<std::uint64_t>(v)); }
    // A short string in a slot of Capacity characters: length byte, text, zeros.
    void ShortString(const std::string& text, std::size_t capacity) {
        const std::size_t length = std::min(text.size(), capacity);
        *out_++ = static_cast<std::uint8_t>(length);
        std::memcpy(out_, text.data(), length);
        std::memset(out_ + length, 0, capacity - length);
        out_ += capacity;
    }
    void Zeros(std::size_t count) {
        std::memset(out_, 0, count);
        out_ += count;
    }
    void Section(TSectionForm form) {
        U16(form.id);
        U16(form.length);
    }

private:
    void Bytes(int count, std::uint64_t v) {
        for (int i = 0; i < count; ++i) *out_++ = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::uint8_t* out_;
};

// Sequential little-endian reader; the caller has checked that the bytes exist.
class TLeReader {
public:
    explicit TLeReader(const std::uint8_t* in) : in_(in) {}
    std::uint16_t U16() { return static_cast<std::uint16_t>(Bytes(2)); }
    std::int16_t I16() { return static_cast<std::int16_t>(Bytes(2)); }
    std::int32_t I32() { return static_cast<std::int32_t>(Bytes(4)); }
    double F64() { return std::bit_cast<double>(Bytes(8)); }
    // A short string of a slot of Capacity characters; false when its length
    // byte exceeds the slot (the slot is consumed either way).
    bool ShortString(std::string& text, std::size_t capacity) {
        const std::size_t length = *in_;
        const bool fits = length <= capacity;
        text.assign(reinterpret_cast<const char*>(in_ + 1), fits ? length : 0);
        in_ += capacity + 1;
        return fits;
    }
    void Skip(std::size_t count) { in_ += count; }

private:
    // On a little-endian host the bytes are the value: one load per field.
    std::uint64_t Bytes(int count) {
        std::uint64_t v = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&v, in_, static_cast<std::size_t>(count));
        } else {
            for (int i = 0; i < count; ++i) v |= static_cast<std::uint64_t>(in_[i]) << (8 * i);
        }
        in_ += count;
        return v;
    }
    const std::uint8_t* in_;
};

void ExpectSection(TLeReader& in, TSectionForm form, const std::string& fileName) {
    const std::uint16_t id = in.U16();
    const std::uint16_t length = in.U16();
    if (id != form.id || length != form.length)
        RaiseVolSetError(fileName, "header section " + std::to_string(form.id) + " has id " + std::to_string(id) +
                                       " and length " + std::to_string(length) + ", expected " +
                                       std::to_string(form.id) + " and " + std::to_string(form.length));
}

void ExpectNumber(std::int32_t value, std::int32_t low, std::int32_t high, const char* field,
                  const std::string& fileName) {
    if (value >= low && value <= high) return;
    const std::string expected =
        low == high ? std::to_string(low) : std::to_string(low) + ".." + std::to_string(high);
    RaiseVolSetError(fileName, std::string("header field \"") + field + "\" is " + std::to_string(value) +
                                   ", expected " + expected);
}

void DecodeNumbers(TLeReader& in, TVolSetHeader& header, const std::string& fileName) {
    header.headerSize = in.I32();
    header.version = in.I32();
    header.keyCount = in.I32();
    header.keySize = in.I32();
    header.volCount = in.I32();
    header.volSize = in.I32();
    header.tableOffset = in.I32();
    ExpectNumber(header.headerSize, kVolSetHeaderSize, kVolSetHeaderSize, "header size", fileName);
    ExpectNumber(header.version, kVolSetVersion, kVolSetVersion, "version", fileName);
    ExpectNumber(header.keyCount, 0, kMaxVolSetKeys, "number of keys", fileName);
    ExpectNumber(header.keySize, kHdrKeySize, kHdrKeySize, "key descriptor size", fileName);
    ExpectNumber(header.volCount, 0, kMaxVolumes, "number of volumes", fileName);
    ExpectNumber(header.volSize, kTabVolSize, kTabVolSize, "volume entry size", fileName);
    ExpectNumber(header.tableOffset, kVolSetHeaderSize, INT32_MAX, "volume table offset", fileName);
}

void DecodeKeys(TLeReader& in, TVolSetHeader& header, const std::string& fileName) {
    for (int k = 0; k < header.keyCount; ++k) {
        THdrKey& key = header.keys[static_cast<std::size_t>(k)];
        const std::string which = "key " + std::to_string(k + 1);
        if (!in.ShortString(key.name, kVolKeyNameLength))
            RaiseVolSetError(fileName, which + " has a name longer than " + std::to_string(kVolKeyNameLength) +
                                           " characters");
        key.low = in.I16();
        key.high = in.I16();
        if (key.low > key.high)
            RaiseVolSetError(fileName, which + " \"" + key.name + "\" has bounds " + std::to_string(key.low) + ".." +
                                           std::to_string(key.high));
    }
    if (!KeySpaceFits(std::span<const THdrKey>(header.keys.data(), static_cast<std::size_t>(header.keyCount))))
        RaiseVolSetError(fileName, "the keys' bounds give more than " + std::to_string(kMaxKeyCombinations) +
                                       " key combinations");
}

}  // namespace

bool KeySpaceFits(std::span<const THdrKey> keys) {
    std::int64_t combinations = 1;
    for (const THdrKey& key : keys) {
        combinations *= std::int64_t{key.high} - key.low + 2;
        if (combinations > kMaxKeyCombinations) return false;
    }
    return true;
}

void RaiseVolSetError(const std::string& fileName, const std::string& detail) {
    throw EVolSetError("Volume set " + fileName + ": " + detail);
}

TVolSetHeaderBytes EncodeVolSetHeader(const TVolSetHeader& header) {
    TVolSetHeaderBytes bytes{};
    TLeWriter out(bytes.data());
    out.Section(kSignatureSection);
    out.ShortString(header.signature, kVolSetSignatureLength);
    out.Section(kNumbersSection);
    for (std::int32_t v : {header.headerSize, header.version, header.keyCount, header.keySize, header.volCount,
                           header.volSize, header.tableOffset})
        out.I32(v);
    out.Section(kDatesSection);
    for (double v : {header.created, header.lastStored, header.lastLoaded}) out.F64(v);
    out.Section(kKeysSection);
    for (int k = 0; k < kMaxVolSetKeys; ++k) {
        if (k >= header.keyCount) {
            out.Zeros(kHdrKeySize);
            continue;
        }
        const THdrKey& key = header.keys[static_cast<std::size_t>(k)];
        out.ShortString(key.name, kVolKeyNameLength);
        out.I16(key.low);
        out.I16(key.high);
    }
    return bytes;
}

TVolSetHeader DecodeVolSetHeader(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    if (bytes.size() < static_cast<std::size_t>(kVolSetHeaderSize))
        RaiseVolSetError(fileName, "the file holds " + std::to_string(bytes.size()) +
                                       " bytes, too few for the " + std::to_string(kVolSetHeaderSize) +
                                       "-byte header");
    TVolSetHeader header;
    TLeReader in(bytes.data());
    ExpectSection(in, kSignatureSection, fileName);
    if (!in.ShortString(header.signature, kVolSetSignatureLength))
        RaiseVolSetError(fileName, "the signature is longer than " + std::to_string(kVolSetSignatureLength) +
                                       " characters");
    ExpectSection(in, kNumbersSection, fileName);
    DecodeNumbers(in, header, fileName);
    ExpectSection(in, kDatesSection, fileName);
    header.created = in.F64();
    header.lastStored = in.F64();
    header.lastLoaded = in.F64();
    ExpectSection(in, kKeysSection, fileName);
    DecodeKeys(in, header, fileName);
    return header;
}

void EncodeTabVol(const TTabVol& entry, std::uint8_t* out) {
    TLeWriter w(out);
    w.I32(entry.offset);
    w.U16(entry.size);
    for (std::int16_t key : entry.keys) w.I16(key);
    w.F64(entry.created);
    w.F64(entry.stored);
    w.F64(entry.loaded);
    w.I32(entry.magic);
}

TTabVol DecodeTabVol(const std::uint8_t* in) {
    TLeReader r(in);
    TTabVol entry;
    entry.offset = r.I32();
    entry.size = r.U16();
    for (std::int16_t& key : entry.keys) key = r.I16();
    entry.created = r.F64();
    entry.stored = r.F64();
    entry.loaded = r.F64();
    entry.magic = r.I32();
    return entry;
}

}  // namespace cv

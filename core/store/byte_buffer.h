#pragma once
// The primitives every tagged form of the data store is built from: puts into a
// volume buffer being written, gets from the bytes of a stored volume.
//
// A buffer is a view (pointer + size); the position is an unsigned 16-bit value
// passed by reference and advanced past each field. All numbers are
// little-endian. Every field is checked over its whole extent before a byte is
// touched:
//   - a put must end within the buffer and within kBufSize (positions 0..65,520),
//     otherwise EBufferFullError, a range error ("Range check error") that
//     carries the field's offset, and nothing is written;
//   - a get must end within the bytes given (the volume's real size), otherwise
//     EDataError naming the offset; a reader never looks past what it was given.
// A field ending beyond position 65,535 raises EOverflowError ("Integer overflow").
//
// Texts are single-byte code-page bytes. In the text forms an empty text and no
// text are stored alike, so the data store treats an empty text as no text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/errors.h"
#include "core/base/real48.h"

namespace cv {

// A volume buffer holds 65,521 bytes, positions 0 to 65,520.
inline constexpr std::size_t kBufSize = 65521;
// The longest text a length byte can announce.
inline constexpr std::size_t kMaxFieldText = 255;
// No field may end past this position: the position is an unsigned 16-bit value.
inline constexpr std::size_t kMaxBufPosition = 0xFFFF;
// The bytes of a short-text field before its characters: L, C, L.
inline constexpr std::size_t kShortStrHeader = 3;
// The bytes of a text field besides its characters: the length and the closing zero.
inline constexpr std::size_t kZtsOverhead = 2;

// What a put raises when its field would end past the buffer: a range error
// ("Range check error") that also tells where the field starts and how long it
// is, so that the writer of a volume can name what did not fit.
class EBufferFullError : public ERangeError {
public:
    EBufferFullError(std::size_t fieldOffset, std::size_t fieldSize)
        : ERangeError(), offset(fieldOffset), size(fieldSize) {}
    std::size_t offset;
    std::size_t size;
};

// Bytes a put may write into (the caller's buffer, usually kBufSize zero bytes).
struct TPutBuf {
    std::uint8_t* data = nullptr;
    std::size_t size = 0;

    TPutBuf() = default;
    TPutBuf(std::uint8_t* bytes, std::size_t count) : data(bytes), size(count) {}
    TPutBuf(std::vector<std::uint8_t>& bytes) : data(bytes.data()), size(bytes.size()) {}
    TPutBuf(std::span<std::uint8_t> bytes) : data(bytes.data()), size(bytes.size()) {}
};

// Bytes a get may read (a stored volume of any size).
struct TGetBuf {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;

    TGetBuf() = default;
    TGetBuf(const std::uint8_t* bytes, std::size_t count) : data(bytes), size(count) {}
    TGetBuf(const std::vector<std::uint8_t>& bytes) : data(bytes.data()), size(bytes.size()) {}
    TGetBuf(std::span<const std::uint8_t> bytes) : data(bytes.data()), size(bytes.size()) {}
    TGetBuf(std::string_view bytes)
        : data(reinterpret_cast<const std::uint8_t*>(bytes.data())), size(bytes.size()) {}
    TGetBuf(TPutBuf buf) : data(buf.data), size(buf.size) {}
};

// The part of Text that a text field of maximum length MaxLen can hold: its first
// MaxLen characters, or its first 255 when MaxLen is 0. Setters store texts
// through this so that what is written reads back equal.
inline std::string_view FitToField(std::string_view text, std::uint8_t maxLen) {
    return text.substr(0, maxLen == 0 ? kMaxFieldText : maxLen);
}

// Whether a field of Count bytes put at Pos ends within Buf and within kBufSize.
inline bool BufFits(TPutBuf buf, std::uint16_t pos, std::size_t count) {
    return buf.data != nullptr && std::size_t{pos} + count <= std::min(buf.size, kBufSize);
}

inline void BufPutByte(TPutBuf buf, std::uint16_t& pos, std::uint8_t value);
void BufPutWord(TPutBuf buf, std::uint16_t& pos, std::uint16_t value);
void BufPutLong(TPutBuf buf, std::uint16_t& pos, std::int32_t value);
void BufPutReal48(TPutBuf buf, std::uint16_t& pos, const Real48& value);
// Raw bytes (an array's element block).
void BufPutBlock(TPutBuf buf, std::uint16_t& pos, const std::uint8_t* bytes, std::size_t count);
// Short-text field: L, C, L, the characters, then zero bytes up to capacity C
// (MaxLen, or L when MaxLen is 0). A text longer than MaxLen > 0 is cut to MaxLen; a text of
// more than 255 characters with MaxLen 0 raises ERangeError.
void BufPutShortStr(TPutBuf buf, std::uint16_t& pos, std::string_view text, std::uint8_t maxLen);
// Text field: L, the characters and a zero byte; the field takes MaxLen + 2 bytes,
// zero after the characters, when MaxLen > 0. An empty text is the byte 0. A text longer than MaxLen > 0 is
// cut to MaxLen; more than 255 characters with MaxLen 0 raises ERangeError.
void BufPutZts(TPutBuf buf, std::uint16_t& pos, std::string_view text, std::uint8_t maxLen);

// Fields put one after another at Pos, in the layouts of the puts above. The
// checked puts check each field as those do; the unchecked ones check nothing,
// for a form whose whole extent the caller found to fit (BufFits): a form
// written often is checked once instead of field by field, and written by the
// same code either way.
template <bool Checked>
class TFieldPuts {
public:
    TFieldPuts(TPutBuf buf, std::uint16_t& pos) : buf_(buf), pos_(pos), at_(Checked ? nullptr : buf.data + pos) {}
    // The unchecked puts move a pointer along and Pos once, when done.
    ~TFieldPuts() {
        if constexpr (!Checked) pos_ = static_cast<std::uint16_t>(at_ - buf_.data);
    }
    TFieldPuts(const TFieldPuts&) = delete;
    TFieldPuts& operator=(const TFieldPuts&) = delete;

    void Byte(std::uint8_t value) { *Field(1) = value; }
    void Word(std::uint16_t value) {
        std::uint8_t* field = Field(2);
        field[0] = static_cast<std::uint8_t>(value);
        field[1] = static_cast<std::uint8_t>(value >> 8);
    }
    void Block(const std::uint8_t* bytes, std::size_t count) {
        std::uint8_t* field = Field(count);
        if (count > 0) std::memcpy(field, bytes, count);
    }
    // As BufPutShortStr.
    void ShortStr(std::string_view text, std::uint8_t maxLen) {
        const std::string_view kept = FieldText(text, maxLen);
        const auto length = static_cast<std::uint8_t>(kept.size());
        const std::uint8_t capacity = maxLen == 0 ? length : maxLen;
        std::uint8_t* field = Field(kShortStrHeader + capacity);
        field[0] = length;
        field[1] = capacity;
        field[2] = length;
        if (length > 0) std::memcpy(field + kShortStrHeader, kept.data(), length);
        std::memset(field + kShortStrHeader + length, 0, capacity - length);
    }
    // As BufPutZts.
    void Zts(std::string_view text, std::uint8_t maxLen) {
        const std::string_view kept = FieldText(text, maxLen);
        std::size_t fieldSize = maxLen + kZtsOverhead;
        if (maxLen == 0) fieldSize = kept.empty() ? 1 : kept.size() + kZtsOverhead;
        std::uint8_t* field = Field(fieldSize);
        field[0] = static_cast<std::uint8_t>(kept.size());
        if (!kept.empty()) std::memcpy(field + 1, kept.data(), kept.size());
        std::memset(field + 1 + kept.size(), 0, fieldSize - 1 - kept.size());
    }

private:
    static std::string_view FieldText(std::string_view text, std::uint8_t maxLen) {
        if (maxLen == 0 && text.size() > kMaxFieldText) throw ERangeError();
        return FitToField(text, maxLen);
    }
    std::uint8_t* Field(std::size_t count);

    TPutBuf buf_;
    std::uint16_t& pos_;
    std::uint8_t* at_;
};

// Where the fields a get may take from Buf end at the latest: a field ending
// there or before reads without a truncation or overflow error.
inline std::size_t BufReadableEnd(TGetBuf buf) {
    return buf.data == nullptr ? 0 : std::min(buf.size, kMaxBufPosition);
}

inline std::uint8_t BufGetByte(TGetBuf buf, std::uint16_t& pos);
inline std::uint16_t BufGetWord(TGetBuf buf, std::uint16_t& pos);
inline std::int32_t BufGetLong(TGetBuf buf, std::uint16_t& pos);
long double BufGetReal48(TGetBuf buf, std::uint16_t& pos);
// The six stored bytes as they are, for values kept in their stored form.
inline Real48 BufGetReal48Bytes(TGetBuf buf, std::uint16_t& pos);
inline void BufGetBlock(TGetBuf buf, std::uint16_t& pos, std::uint8_t* bytes, std::size_t count);
// Moves Pos past a field of Count bytes, checked as BufGetBlock checks it.
inline void BufSkipBlock(TGetBuf buf, std::uint16_t& pos, std::size_t count);
// A stored length beyond the field's capacity is clamped to the capacity.
std::string BufGetShortStr(TGetBuf buf, std::uint16_t& pos);
// As BufGetShortStr, the characters left where they are in Buf: the view is
// valid as long as Buf's bytes are.
inline std::string_view BufGetShortStrView(TGetBuf buf, std::uint16_t& pos);
// No text (length 0) gives the empty string. With MaxLen > 0 a stored length
// beyond MaxLen is clamped to MaxLen and the field still takes MaxLen + 2 bytes.
std::string BufGetZts(TGetBuf buf, std::uint16_t& pos, std::uint8_t maxLen);
// As BufGetZts, the characters left where they are in Buf.
std::string_view BufGetZtsView(TGetBuf buf, std::uint16_t& pos, std::uint8_t maxLen);

// ---- Inline gets: every tag and number of every form goes through these ----

namespace buffer_detail {
[[noreturn]] void FailPut(std::uint16_t pos, std::size_t count);
[[noreturn]] void FailGet(TGetBuf buf, std::uint16_t pos, std::size_t count);

// The Count bytes of the field at Pos, checked over their whole extent; Pos
// moves past them.
inline const std::uint8_t* GetField(TGetBuf buf, std::uint16_t& pos, std::size_t count) {
    const std::size_t end = std::size_t{pos} + count;
    if (buf.data == nullptr || end > buf.size || end > kMaxBufPosition) [[unlikely]]
        FailGet(buf, pos, count);
    const std::uint8_t* field = buf.data + pos;
    pos = static_cast<std::uint16_t>(end);
    return field;
}
}  // namespace buffer_detail

inline std::string_view BufGetShortStrView(TGetBuf buf, std::uint16_t& pos) {
    const std::uint8_t* header = buffer_detail::GetField(buf, pos, 2);
    const std::uint8_t capacity = header[1];
    pos -= 2;
    const std::uint8_t* field = buffer_detail::GetField(buf, pos, kShortStrHeader + capacity);
    const std::size_t length = std::min(field[0], capacity);
    return std::string_view(reinterpret_cast<const char*>(field + kShortStrHeader), length);
}

inline void BufPutByte(TPutBuf buf, std::uint16_t& pos, std::uint8_t value) {
    if (buf.data == nullptr || pos >= buf.size || pos >= kBufSize) [[unlikely]]
        buffer_detail::FailPut(pos, 1);
    buf.data[pos++] = value;
}

template <bool Checked>
std::uint8_t* TFieldPuts<Checked>::Field(std::size_t count) {
    if constexpr (Checked) {
        if (!BufFits(buf_, pos_, count)) [[unlikely]]
            buffer_detail::FailPut(pos_, count);
        std::uint8_t* field = buf_.data + pos_;
        pos_ = static_cast<std::uint16_t>(pos_ + count);
        return field;
    } else {
        std::uint8_t* field = at_;
        at_ += count;
        return field;
    }
}

inline std::uint8_t BufGetByte(TGetBuf buf, std::uint16_t& pos) {
    // Position 65,535 cannot advance: FailGet raises the overflow error for it.
    if (buf.data == nullptr || pos >= buf.size || pos == kMaxBufPosition) [[unlikely]]
        buffer_detail::FailGet(buf, pos, 1);
    return buf.data[pos++];
}

inline std::uint16_t BufGetWord(TGetBuf buf, std::uint16_t& pos) {
    const std::uint8_t* field = buffer_detail::GetField(buf, pos, 2);
    return static_cast<std::uint16_t>(field[0] | (field[1] << 8));
}

inline std::int32_t BufGetLong(TGetBuf buf, std::uint16_t& pos) {
    const std::uint8_t* field = buffer_detail::GetField(buf, pos, 4);
    const std::uint32_t bits = field[0] | (field[1] << 8) | (field[2] << 16) | (std::uint32_t{field[3]} << 24);
    return static_cast<std::int32_t>(bits);
}

inline void BufGetBlock(TGetBuf buf, std::uint16_t& pos, std::uint8_t* bytes, std::size_t count) {
    const std::uint8_t* field = buffer_detail::GetField(buf, pos, count);
    if (count > 0) std::memcpy(bytes, field, count);
}

inline void BufSkipBlock(TGetBuf buf, std::uint16_t& pos, std::size_t count) {
    buffer_detail::GetField(buf, pos, count);
}

inline Real48 BufGetReal48Bytes(TGetBuf buf, std::uint16_t& pos) {
    Real48 value;
    BufGetBlock(buf, pos, value.bytes.data(), value.bytes.size());
    return value;
}

}  // namespace cv

#include "core/store/byte_buffer.h"

#include <algorithm>
#include <cstring>

#include "core/base/errors.h"
#include "core/base/text_format.h"

namespace cv {

namespace {

constexpr std::size_t kShortStrHeader = 3;      // L, C, L
constexpr std::size_t kZtsOverhead = 2;         // the length byte and the closing zero
constexpr std::size_t kReal48Size = 6;

// Where a field of Count bytes starting at Pos ends, checked against the buffer's
// bytes, the volume-buffer size and the position's range. Nothing has been
// written or read when it throws.
std::size_t PutEnd(TPutBuf buf, std::uint16_t pos, std::size_t count) {
    const std::size_t end = std::size_t{pos} + count;
    if (buf.data == nullptr || end > std::min(buf.size, kBufSize)) buffer_detail::FailPut(pos, count);
    return end;
}

std::uint8_t* PutAt(TPutBuf buf, std::uint16_t& pos, std::size_t count) {
    const std::size_t end = PutEnd(buf, pos, count);
    std::uint8_t* field = buf.data + pos;
    pos = static_cast<std::uint16_t>(end);
    return field;
}

std::string_view CheckedFieldText(std::string_view text, std::uint8_t maxLen) {
    if (maxLen == 0 && text.size() > kMaxFieldText) throw ERangeError();
    return FitToField(text, maxLen);
}

}  // namespace

namespace buffer_detail {

void FailPut(std::uint16_t pos, std::size_t count) { throw EBufferFullError(pos, count); }

void FailGet(TGetBuf buf, std::uint16_t pos, std::size_t count) {
    const std::size_t end = std::size_t{pos} + count;
    if (buf.data == nullptr || end > buf.size) {
        throw EDataError(FormatText("truncated data: a field of %d bytes at offset %d runs past the end of %d bytes",
                                    {count, pos, buf.size}));
    }
    throw EOverflowError("Integer overflow");
}

}  // namespace buffer_detail

std::string_view FitToField(std::string_view text, std::uint8_t maxLen) {
    return text.substr(0, maxLen == 0 ? kMaxFieldText : maxLen);
}

void BufPutWord(TPutBuf buf, std::uint16_t& pos, std::uint16_t value) {
    std::uint8_t* field = PutAt(buf, pos, 2);
    field[0] = static_cast<std::uint8_t>(value);
    field[1] = static_cast<std::uint8_t>(value >> 8);
}

void BufPutLong(TPutBuf buf, std::uint16_t& pos, std::int32_t value) {
    std::uint8_t* field = PutAt(buf, pos, 4);
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) field[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void BufPutReal48(TPutBuf buf, std::uint16_t& pos, const Real48& value) {
    BufPutBlock(buf, pos, value.bytes.data(), value.bytes.size());
}

void BufPutBlock(TPutBuf buf, std::uint16_t& pos, const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t* field = PutAt(buf, pos, count);
    if (count > 0) std::memcpy(field, bytes, count);
}

void BufPutShortStr(TPutBuf buf, std::uint16_t& pos, std::string_view text, std::uint8_t maxLen) {
    const std::string_view kept = CheckedFieldText(text, maxLen);
    const auto length = static_cast<std::uint8_t>(kept.size());
    const std::uint8_t capacity = maxLen == 0 ? length : maxLen;
    std::uint8_t* field = PutAt(buf, pos, kShortStrHeader + capacity);
    field[0] = length;
    field[1] = capacity;
    field[2] = length;
    std::memcpy(field + kShortStrHeader, kept.data(), kept.size());
    std::memset(field + kShortStrHeader + length, 0, capacity - length);
}

void BufPutZts(TPutBuf buf, std::uint16_t& pos, std::string_view text, std::uint8_t maxLen) {
    const std::string_view kept = CheckedFieldText(text, maxLen);
    std::size_t fieldSize = maxLen + kZtsOverhead;
    if (maxLen == 0) fieldSize = kept.empty() ? 1 : kept.size() + kZtsOverhead;
    std::uint8_t* field = PutAt(buf, pos, fieldSize);
    field[0] = static_cast<std::uint8_t>(kept.size());
    std::memcpy(field + 1, kept.data(), kept.size());
    std::memset(field + 1 + kept.size(), 0, fieldSize - 1 - kept.size());
}

long double BufGetReal48(TGetBuf buf, std::uint16_t& pos) {
    return LoadReal48(buffer_detail::GetField(buf, pos, kReal48Size));
}

std::string BufGetShortStr(TGetBuf buf, std::uint16_t& pos) { return std::string(BufGetShortStrView(buf, pos)); }

std::string_view BufGetZtsView(TGetBuf buf, std::uint16_t& pos, std::uint8_t maxLen) {
    const std::uint8_t storedLength = BufGetByte(buf, pos);
    --pos;
    std::size_t length = storedLength;
    std::size_t fieldSize = maxLen + kZtsOverhead;
    if (maxLen == 0) {
        fieldSize = length == 0 ? 1 : length + kZtsOverhead;
    } else {
        length = std::min<std::size_t>(length, maxLen);
    }
    const std::uint8_t* field = buffer_detail::GetField(buf, pos, fieldSize);
    return std::string_view(reinterpret_cast<const char*>(field + 1), length);
}

std::string BufGetZts(TGetBuf buf, std::uint16_t& pos, std::uint8_t maxLen) {
    return std::string(BufGetZtsView(buf, pos, maxLen));
}

}  // namespace cv

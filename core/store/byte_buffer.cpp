#include "core/store/byte_buffer.h"

#include <algorithm>
#include <cstring>

#include "core/base/errors.h"
#include "core/base/text_format.h"

namespace cv {

namespace {

constexpr std::size_t kReal48Size = 6;

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

void BufPutWord(TPutBuf buf, std::uint16_t& pos, std::uint16_t value) { TFieldPuts<true>(buf, pos).Word(value); }

void BufPutLong(TPutBuf buf, std::uint16_t& pos, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    std::uint8_t field[4];
    for (int i = 0; i < 4; ++i) field[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    BufPutBlock(buf, pos, field, sizeof field);
}

void BufPutReal48(TPutBuf buf, std::uint16_t& pos, const Real48& value) {
    BufPutBlock(buf, pos, value.bytes.data(), value.bytes.size());
}

void BufPutBlock(TPutBuf buf, std::uint16_t& pos, const std::uint8_t* bytes, std::size_t count) {
    TFieldPuts<true>(buf, pos).Block(bytes, count);
}

void BufPutShortStr(TPutBuf buf, std::uint16_t& pos, std::string_view text, std::uint8_t maxLen) {
    TFieldPuts<true>(buf, pos).ShortStr(text, maxLen);
}

void BufPutZts(TPutBuf buf, std::uint16_t& pos, std::string_view text, std::uint8_t maxLen) {
    TFieldPuts<true>(buf, pos).Zts(text, maxLen);
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

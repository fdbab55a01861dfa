#include "core/store/typed_array.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

// Storing a text into a text array's block: the characters after the element
// move to make its room, and the block grows when the texts outgrow it.

namespace cv {

// A text longer or shorter than the element's moves the texts after it. Text
// may lie in this array's own characters (a text moved from another element):
// it is copied before anything moves.
void TDynArr::StoreText(std::uint32_t pos, std::string_view text) {
    text = FitToField(text, subType_);
    const std::uint32_t start = pos == 0 ? 0 : TextEnd(pos - 1);
    const std::uint32_t end = TextEnd(pos);
    const std::uint32_t length = TextLength();
    const char* held = TextChars();
    std::string own;
    if (!text.empty() && std::less_equal<const char*>()(held, text.data()) &&
        std::less<const char*>()(text.data(), held + length)) {
        own.assign(text);
        text = own;
    }
    const std::size_t stored = std::size_t{length} - (end - start) + text.size();
    if (stored > TextRoom()) GrowTexts(stored);
    char* chars = reinterpret_cast<char*>(data_.get() + TextCharsAt(Slots()));
    std::memmove(chars + start + text.size(), chars + end, length - end);
    std::copy(text.begin(), text.end(), chars + start);
    const auto newEnd = static_cast<std::uint32_t>(start + text.size());
    for (std::uint32_t i = pos; i < count_; ++i)
        StoreWord32(data_.get() + kTextEndSize * i, TextEnd(i) - end + newEnd);
    modified_ = true;
}

std::uint32_t TDynArr::RoomForTexts() const {
    std::size_t room = 0;
    std::uint32_t start = 0;
    for (std::uint32_t i = 0; i < Slots(); ++i) {
        room += ElementRoom(subType_, TextEnd(i) - start);
        start = TextEnd(i);
    }
    return static_cast<std::uint32_t>(room);
}

// Twice the room at least, so that texts stored one by one move the block a
// few times only.
void TDynArr::GrowTexts(std::size_t length) {
    const std::size_t room = std::max(length, 2 * std::size_t{TextRoom()});
    const std::size_t charsAt = TextCharsAt(Slots());
    std::unique_ptr<std::uint8_t[]> block = AllocateBytes(charsAt + room, false, kInitOutOfMemory);
    std::copy_n(data_.get(), charsAt + TextLength(), block.get());
    StoreWord32(block.get() + charsAt - kTextRoomSize, static_cast<std::uint32_t>(room));
    data_ = std::move(block);
}

}  // namespace cv

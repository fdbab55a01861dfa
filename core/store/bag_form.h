#pragma once
// The one reader of the stored form of a bag (docs/tagged_forms.md), and a
// walk built on it. ParseBagForm finds the items and names what failed; its
// users decide what an item becomes: TSimData::ReadFromBuffer builds the bag,
// TSimData::CheckBuffer checks the bytes without building anything, and
// WalkBagForm hands the items to the diagnostics, which show a volume as it
// lies in the file.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/store/byte_buffer.h"
#include "core/store/typed_array.h"
#include "core/base/errors.h"

namespace cv {

namespace bag_form {

// Tags of the bag form.
inline constexpr std::uint8_t kTagScalarName = 1;
inline constexpr std::uint8_t kTagScalarValue = 2;
inline constexpr std::uint8_t kTagArrayName = 101;
inline constexpr std::uint8_t kTagArray = 102;
inline constexpr std::uint8_t kTagBagEnd = 255;

// What the reader was at when an item failed.
enum class TBagItem { tag, scalarName, scalar, arrayName, array };

// Raises EDataError "bag: <item> ["<name>"] at offset <n>: <cause>"; the name
// is that of the scalar or array being read.
[[noreturn]] void FailItem(TBagItem item, std::string_view scalarName, std::string_view arrayName,
                           std::uint16_t offset, const std::exception& cause);

}  // namespace bag_form

// Reads the bag stored at Pos up to and including its end tag. At each scalar
// value, OnScalar(name, buf, pos) reads the value form at Pos; at each array,
// OnArray(name, buf, pos) reads the named-array form. Names are views into Buf
// (empty before the first name tag). Tags of no item are skipped. An error of
// the program's own raised while reading an item (truncation, a position past
// 16 bits, a bad shape or kind, a duplicate name) comes out as EDataError naming
// the item, its name and the offset of its tag; ESilentAbort (out of memory,
// already shown) passes unchanged.
template <class OnScalar, class OnArray>
void ParseBagForm(TGetBuf buf, std::uint16_t& pos, OnScalar&& onScalar, OnArray&& onArray) {
    using namespace bag_form;
    std::string_view scalarName;
    std::string_view arrayName;
    for (;;) {
        const std::uint16_t tagAt = pos;
        TBagItem item = TBagItem::tag;
        try {
            switch (BufGetByte(buf, pos)) {
            case kTagScalarName:
                item = TBagItem::scalarName;
                scalarName = BufGetShortStrView(buf, pos);
                break;
            case kTagScalarValue:
                item = TBagItem::scalar;
                onScalar(scalarName, buf, pos);
                break;
            case kTagArrayName:
                item = TBagItem::arrayName;
                arrayName = BufGetShortStrView(buf, pos);
                break;
            case kTagArray:
                item = TBagItem::array;
                onArray(arrayName, buf, pos);
                break;
            case kTagBagEnd: return;
            default: break;  // not a tag of this form: skipped
            }
        } catch (const ESilentAbort&) {
            throw;
        } catch (const ECvError& error) {
            FailItem(item, scalarName, arrayName, tagAt, error);
        }
    }
}

struct TBagFormVisitor {
    std::function<void(const std::string& name, const TSimValue& value)> scalar;
    std::function<void(const std::string& name, const TSimArr& array)> array;
};

// Reads the bag stored at Pos as ParseBagForm does, calling the visitor's
// functions (when set) for each scalar and array in stored order. Unlike a bag,
// the walk takes an array name that repeats.
void WalkBagForm(TGetBuf buf, std::uint16_t& pos, const TBagFormVisitor& visitor);

}  // namespace cv

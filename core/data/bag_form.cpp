#include "core/data/bag_form.h"

#include "core/data/sim_data.h"
#include "core/services/errors.h"
#include "core/services/text_format.h"

namespace cv {

namespace {

// Tags of the bag form (docs/tagged_forms.md).
constexpr std::uint8_t kTagScalarName = 1;
constexpr std::uint8_t kTagScalarValue = 2;
constexpr std::uint8_t kTagArrayName = 101;
constexpr std::uint8_t kTagArray = 102;
constexpr std::uint8_t kTagBagEnd = 255;

[[noreturn]] void FailItem(std::string_view item, std::uint16_t offset, const std::exception& error) {
    throw EDataError(FormatText("bag: %s at offset %d: %s", {item, offset, error.what()}));
}

}  // namespace

void WalkBagForm(TGetBuf buf, std::uint16_t& pos, const TBagFormVisitor& visitor) {
    std::string scalarName;
    std::string arrayName;
    for (;;) {
        const std::uint16_t tagAt = pos;
        std::string_view item = "tag";
        try {
            switch (BufGetByte(buf, pos)) {
            case kTagScalarName:
                item = "scalar name";
                scalarName = BufGetShortStr(buf, pos);
                break;
            case kTagScalarValue: {
                item = "scalar";
                const TSimValue value = ReadSimValue(buf, pos);
                if (visitor.scalar) visitor.scalar(scalarName, value);
                break;
            }
            case kTagArrayName:
                item = "array name";
                arrayName = BufGetShortStr(buf, pos);
                break;
            case kTagArray: {
                item = "array";
                TSimArr array;
                array.ReadFromBuffer(buf, pos);
                if (visitor.array) visitor.array(arrayName, array);
                break;
            }
            case kTagBagEnd: return;
            default: break;  // not a tag of this form: skipped
            }
        } catch (const EDataError& error) {
            FailItem(item, tagAt, error);
        } catch (const ERangeError& error) {
            FailItem(item, tagAt, error);  // an array shape beyond the limits
        } catch (const EOverflowError& error) {
            FailItem(item, tagAt, error);  // a position past 16 bits
        }
    }
}

}  // namespace cv

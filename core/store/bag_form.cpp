#include "core/store/bag_form.h"

#include "core/store/sim_data.h"
#include "core/base/text_format.h"

namespace cv {

void bag_form::FailItem(TBagItem item, std::string_view scalarName, std::string_view arrayName,
                        std::uint16_t offset, const std::exception& cause) {
    std::string label;
    switch (item) {
    case TBagItem::tag: label = "tag"; break;
    case TBagItem::scalarName: label = "scalar name"; break;
    case TBagItem::scalar: label = FormatText("scalar \"%s\"", {scalarName}); break;
    case TBagItem::arrayName: label = "array name"; break;
    case TBagItem::array: label = FormatText("array \"%s\"", {arrayName}); break;
    }
    throw EDataError(FormatText("bag: %s at offset %d: %s", {label, offset, cause.what()}));
}

void WalkBagForm(TGetBuf buf, std::uint16_t& pos, const TBagFormVisitor& visitor) {
    ParseBagForm(
        buf, pos,
        [&visitor](std::string_view name, TGetBuf value, std::uint16_t& at) {
            const TSimValue read = ReadSimValue(value, at);
            if (visitor.scalar) visitor.scalar(std::string(name), read);
        },
        [&visitor](std::string_view name, TGetBuf form, std::uint16_t& at) {
            TSimArr array;
            array.ReadFromBuffer(form, at);
            if (visitor.array) visitor.array(std::string(name), array);
        });
}

}  // namespace cv

#pragma once
// A walk over the stored form of a bag that hands out each scalar and array in
// stored order, without building the bag: the diagnostics show a volume as it
// lies in the file, and copies that must mark every scalar changed learn the
// scalars' names. The form is the one TSimData writes (docs/tagged_forms.md).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/data/byte_buffer.h"
#include "core/data/typed_array.h"

namespace cv {

struct TBagFormVisitor {
    std::function<void(const std::string& name, const TSimValue& value)> scalar;
    std::function<void(const std::string& name, const TSimArr& array)> array;
};

// Reads the bag stored at Pos up to and including its end tag, calling the
// visitor's functions (when set) for each item. Unknown tags are skipped as the
// bag's reader skips them. Truncated or malformed bytes raise EDataError naming
// the item and its offset.
void WalkBagForm(TGetBuf buf, std::uint16_t& pos, const TBagFormVisitor& visitor);

}  // namespace cv

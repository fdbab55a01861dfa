#pragma once
// The tagged form that a data-store object (series, list, array, bag) writes into a volume buffer, as bytes.

#include <cstdint>
#include <vector>

#include "core/store/byte_buffer.h"

namespace cv::test {

template <class Stored>
std::vector<std::uint8_t> StoredForm(const Stored& stored) {
    std::vector<std::uint8_t> buffer(kBufSize, 0);
    std::uint16_t pos = 0;
    stored.WriteToBuffer(buffer, pos);
    buffer.resize(pos);
    return buffer;
}

}  // namespace cv::test

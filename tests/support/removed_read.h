#pragma once
// Industry files that lack one name the program reads: the name is changed,
// in place, in every cell of its set and data category that holds it, so
// that no cell the whole-file check looks at holds it any more.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/industry_reads.h"

namespace cv::test {

// The offsets in Data, a cell's stored bag, of the last letter of each stored
// name Name (letter case ignored) of Form.
std::vector<std::size_t> NameLastLetters(const std::uint8_t* data, std::uint16_t size, std::string_view name, TReadForm form);

// Renames Read's name in File by its last letter in every cell of Read's set
// and category (of Zone only, when given), as a scalar or an array as Read is
// read; how many cells held it.
int RemoveReadName(const std::filesystem::path& file, const TIndustryRead& read, std::optional<int> zone = {});

// A readable description of Read: its set, category, form and name.
std::string ReadDescription(const TIndustryRead& read);

}  // namespace cv::test

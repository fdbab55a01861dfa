#include "core/data/series.h"

#include <algorithm>
#include <limits>

#include "core/services/errors.h"
#include "core/services/ui_services.h"

namespace cv {

namespace {

constexpr char kUndefinedLabel[] = "Undefined";
constexpr char kIntegerOverflow[] = "Integer overflow";

// Upper case of one cp1252 byte: ASCII letters, the accented letters à..þ (not ÷),
// and the four letters whose capitals lie in 0x80..0x9F (š, œ, ž, ÿ).
unsigned char UpperCp1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A: return 0x8A;
        case 0x9C: return 0x8C;
        case 0x9E: return 0x8E;
        case 0xFF: return 0x9F;
        default: return c;
    }
}

bool SameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return UpperCp1252(static_cast<unsigned char>(x)) == UpperCp1252(static_cast<unsigned char>(y));
    });
}

std::string_view Cut(std::string_view text) { return text.substr(0, kSeriesTextMax); }

std::int16_t CheckedInt16(long value) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw EOverflowError(kIntegerOverflow);
    return static_cast<std::int16_t>(value);
}

}  // namespace

TSeries::TSeries(std::uint16_t id, std::string_view name, std::int16_t lo, const std::vector<std::string>& labels)
    : lo_(lo),
      hi_(CheckedInt16(static_cast<long>(lo) + static_cast<long>(labels.size()) - 1)),
      id_(id),
      name_(Cut(name)) {
    labels_.reserve(labels.size());
    for (const std::string& label : labels) labels_.emplace_back(Cut(label));
}

std::int16_t TSeries::Count() const { return CheckedInt16(static_cast<long>(hi_) - lo_ + 1); }

std::string TSeries::GetLabel(int i) const {
    if (i < lo_ || i > hi_) return kUndefinedLabel;
    const auto position = static_cast<std::size_t>(i - lo_);
    return position < labels_.size() ? labels_[position] : kUndefinedLabel;
}

std::int16_t TSeries::IndexOf(std::string_view label) const {
    // Labels past hi are not elements of the series; answering their position
    // would hand the caller an index outside the series' bounds.
    const long elementCount = std::max(0L, static_cast<long>(hi_) - lo_ + 1);
    const auto searched = std::min(labels_.size(), static_cast<std::size_t>(elementCount));
    const std::string_view wanted = Cut(label);
    for (std::size_t position = 0; position < searched; ++position) {
        if (SameText(labels_[position], wanted)) return static_cast<std::int16_t>(lo_ + static_cast<long>(position));
    }
    return kLabelAbsent;
}

void TSeries::InsertLabel(int position, std::string_view label) {
    if (position < 0 || static_cast<std::size_t>(position) > labels_.size()) throw ERangeError();
    const std::int16_t newHi = CheckedInt16(static_cast<long>(hi_) + 1);
    labels_.insert(labels_.begin() + position, std::string(Cut(label)));
    hi_ = newHi;
}

void TSeries::SetName(std::string_view name) { name_ = Cut(name); }

TSeries* TListSeries::GetSeries(int index) const {
    if (index < 0 || index >= Count()) {
        Ui().ShowPlainBox("[GetSeries] Bad series position : " + std::to_string(index));
        return nullptr;
    }
    return series_[static_cast<std::size_t>(index)].get();
}

TSeries* TListSeries::FindSeries(std::string_view name) const {
    for (const auto& series : series_) {
        if (SameText(series->Name(), name)) return series.get();
    }
    return nullptr;
}

TSeries& TListSeries::AddSeries(const TSeries& series) {
    series_.push_back(std::make_unique<TSeries>(series));
    modified_ = true;
    return *series_.back();
}

void TListSeries::Clear() { series_.clear(); }

}  // namespace cv

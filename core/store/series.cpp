#include "core/store/series.h"

#include <algorithm>
#include <limits>

#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/base/ui_services.h"

namespace cv {

namespace {

constexpr char kUndefinedLabel[] = "Undefined";

// Tags of the stored form of a series and of a list of series.
constexpr std::uint8_t kTagId = 1;
constexpr std::uint8_t kTagName = 2;
constexpr std::uint8_t kTagLo = 3;
constexpr std::uint8_t kTagHi = 4;
constexpr std::uint8_t kTagLabel = 5;
constexpr std::uint8_t kTagSeries = 6;
constexpr std::uint8_t kTagEnd = 255;
// Capacity of the name and label fields.
constexpr std::uint8_t kTextFieldMax = kSeriesTextMax;
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
    if (a.size() != b.size()) return false;
    if (a == b) return true;  // names are mostly spelt alike
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

bool TSeries::IsNamed(std::string_view name) const { return SameText(name_, Cut(name)); }

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

void TSeries::WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const {
    BufPutByte(buf, pos, kTagId);
    BufPutWord(buf, pos, id_);
    BufPutByte(buf, pos, kTagName);
    BufPutShortStr(buf, pos, name_, kTextFieldMax);
    BufPutByte(buf, pos, kTagLo);
    BufPutWord(buf, pos, static_cast<std::uint16_t>(lo_));
    BufPutByte(buf, pos, kTagHi);
    BufPutWord(buf, pos, static_cast<std::uint16_t>(hi_));
    for (const std::string& label : labels_) {
        BufPutByte(buf, pos, kTagLabel);
        BufPutShortStr(buf, pos, label, kTextFieldMax);
    }
    BufPutByte(buf, pos, kTagEnd);
}

void TSeries::ReadFromBuffer(TGetBuf buf, std::uint16_t& pos) {
    TSeries read;
    std::uint16_t at = pos;
    for (std::uint8_t tag = BufGetByte(buf, at); tag != kTagEnd; tag = BufGetByte(buf, at)) read.ReadField(tag, buf, at);
    read.CheckBounds();
    *this = std::move(read);
    pos = at;
}

void TSeries::ReadField(std::uint8_t tag, TGetBuf buf, std::uint16_t& pos) {
    switch (tag) {
        case kTagId: id_ = BufGetWord(buf, pos); break;
        case kTagName: name_ = Cut(BufGetShortStr(buf, pos)); break;
        case kTagLo: lo_ = static_cast<std::int16_t>(BufGetWord(buf, pos)); break;
        case kTagHi: hi_ = static_cast<std::int16_t>(BufGetWord(buf, pos)); break;
        case kTagLabel: labels_.emplace_back(Cut(BufGetShortStr(buf, pos))); break;
        default: break;  // a tag this program does not know carries no payload
    }
}

// Every loop and array is sized by Count: a stored hi below lo - 1, or a range
// wider than 16 bits, would give a negative or wrapped count.
void TSeries::CheckBounds() const {
    const long count = static_cast<long>(hi_) - lo_ + 1;
    if (count < 0 || count > std::numeric_limits<std::int16_t>::max())
        throw EDataError(FormatText("series \"%s\": bounds %d..%d give no element count", {name_, lo_, hi_}));
}

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

void TListSeries::WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const {
    for (const auto& series : series_) {
        BufPutByte(buf, pos, kTagSeries);
        series->WriteToBuffer(buf, pos);
    }
    BufPutByte(buf, pos, kTagEnd);
}

void TListSeries::ReadFromBuffer(TGetBuf buf, std::uint16_t& pos) {
    std::vector<std::unique_ptr<TSeries>> read;
    std::uint16_t at = pos;
    try {
        for (std::uint8_t tag = BufGetByte(buf, at); tag != kTagEnd; tag = BufGetByte(buf, at)) {
            if (tag != kTagSeries) continue;  // unknown tags carry no payload
            auto series = std::make_unique<TSeries>();
            series->ReadFromBuffer(buf, at);
            read.push_back(std::move(series));
        }
    } catch (const EDataError& error) {
        throw EDataError(FormatText("series list, series %d at offset %d: %s", {read.size() + 1, at, error.what()}));
    }
    series_ = std::move(read);
    modified_ = false;
    pos = at;
}

}  // namespace cv

#pragma once
// Series: named, ordered lists of labels with a numeric index range. They give
// the dimensions and enumerations of the industry's data their names (periods,
// firms, zones, markets, channels, report rows, ...): arrays are dimensioned by
// series bounds, and element positions are found by looking a label up.
//
// The industry keeps all its series in one list (TCvSeries), stored as one
// volume of the industry file; the stored form is in docs/series.md.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/byte_buffer.h"

namespace cv {

// Longest name or label a series keeps: the stored form has room for 16 characters.
inline constexpr std::size_t kSeriesTextMax = 16;
// IndexOf's answer for a label the series lacks.
inline constexpr std::int16_t kLabelAbsent = 127;

class TSeries {
public:
    // An empty series: lo 0, hi -1, id 0, no name.
    TSeries() = default;
    // A series whose elements Lo, Lo+1, ... carry Labels in order. Names and labels
    // are kept to their first 16 characters; bounds beyond 16 bits raise EOverflowError.
    TSeries(std::uint16_t id, std::string_view name, std::int16_t lo, const std::vector<std::string>& labels);

    std::int16_t Lo() const { return lo_; }
    std::int16_t Hi() const { return hi_; }
    std::uint16_t Id() const { return id_; }
    const std::string& Name() const { return name_; }
    // Whether Name, kept to its first 16 characters, is this series' name, letter
    // case ignored as a look-up by name ignores it.
    bool IsNamed(std::string_view name) const;
    // The labels read or given, in element order: element i is Labels()[i - Lo()].
    const std::vector<std::string>& Labels() const { return labels_; }

    // Number of elements, hi - lo + 1; EOverflowError when it does not fit 16 bits.
    std::int16_t Count() const;
    // Label of element I, or "Undefined" outside lo..hi and for an element whose label was never read.
    std::string GetLabel(int i) const;
    // Element index of Label (its first 16 characters, letter case ignored, first match wins):
    // lo + position, or kLabelAbsent (127) when no element carries it.
    std::int16_t IndexOf(std::string_view label) const;
    // Inserts Label at 0-based list Position (0..number of labels); hi grows by one.
    // A position outside that range raises ERangeError, hi past 32767 EOverflowError.
    void InsertLabel(int position, std::string_view label);
    // Copies lo, hi, id, name and all labels of Other.
    void Assign(const TSeries& other) { *this = other; }
    // Renames the series (a copy that stands for something else); kept to 16 characters.
    void SetName(std::string_view name);

    // The stored form at Pos: tags 1 id, 2 name, 3 lo, 4 hi, one tag 5 per label, 255.
    void WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const;
    // Replaces this series by the one stored at Pos. Unknown tags below 255 are
    // skipped; bytes that end before tag 255, or bounds that give a negative count or
    // one beyond 16 bits, raise EDataError and leave this series as it was.
    void ReadFromBuffer(TGetBuf buf, std::uint16_t& pos);

private:
    void ReadField(std::uint8_t tag, TGetBuf buf, std::uint16_t& pos);
    void CheckBounds() const;

    std::int16_t lo_ = 0;
    std::int16_t hi_ = -1;
    std::uint16_t id_ = 0;
    std::string name_;
    std::vector<std::string> labels_;
};

// An owning list of series in insertion order, found by position or by name.
class TListSeries {
public:
    TListSeries() = default;
    virtual ~TListSeries() = default;
    TListSeries(const TListSeries&) = delete;
    TListSeries& operator=(const TListSeries&) = delete;

    int Count() const { return static_cast<int>(series_.size()); }
    // The series at 0-based list position Index. A position outside the list is
    // reported ("[GetSeries] Bad series position : <n>" in a plain box) and gives nullptr.
    TSeries* GetSeries(int index) const;
    // The first series whose name matches Name without regard to letter case, or nullptr.
    TSeries* FindSeries(std::string_view name) const;
    // Appends a copy of Series and marks the list modified; the list owns it.
    // Pointers to series stay valid until the list is cleared or read again.
    TSeries& AddSeries(const TSeries& series);
    // Frees every series.
    void Clear();

    // The stored form: tag 6 and the series, for each series in order, then 255.
    void WriteToBuffer(TPutBuf buf, std::uint16_t& pos) const;
    // Replaces the whole list by the one stored at Pos and clears the modified mark.
    // A malformed list raises EDataError naming the series being read and leaves the
    // list as it was.
    void ReadFromBuffer(TGetBuf buf, std::uint16_t& pos);

    // Whether the list must be written at the next save: false after creation and
    // after reading, true after AddSeries.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

private:
    std::vector<std::unique_ptr<TSeries>> series_;
    bool modified_ = false;
};

// The industry's list of series.
class TCvSeries : public TListSeries {};

}  // namespace cv

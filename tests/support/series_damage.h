#pragma once
// Industry files that the opening must refuse: one series that the opening
// looks up through the constant part's positions is made missing, or its
// position is put beyond the series list, the positions of one kind are moved
// round, or a name the program reads is changed, in a copy of a sound file.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/store/data_context.h"

namespace cv::test {

// One series position of the constant part: its name and its cell.
struct TSeriesCell {
    std::string name;
    TCellIndex cell;
};

// Every series position the opening of the industry File reads: the period,
// firm, zone and market series, each market's dimension, semantic and map
// series, each zone's channel series, each zone and market's segment series.
std::vector<TSeriesCell> OpeningSeriesCells(const std::filesystem::path& file);

// The number of series in File's series list.
int SeriesListCount(const std::filesystem::path& file);

// Removes the position from File: the name is changed in the cell's stored bag.
void RemoveSeriesPosition(const std::filesystem::path& file, const TSeriesCell& position);
// The position File holds.
std::int16_t SeriesPosition(const std::filesystem::path& file, const TSeriesCell& position);
// Where the position's stored value lies in File: a copy of the file takes other
// values in place, with no store of the volume set, for tables over many values.
class TSeriesPositionPlace {
public:
    TSeriesPositionPlace(const std::filesystem::path& file, const TSeriesCell& position);
    // Writes Value over the position's in Copy, a copy of the file.
    void Write(const std::filesystem::path& copy, std::int16_t value) const;

private:
    std::size_t at_ = 0;
};
// Stores Value as the position in File.
void SetSeriesPosition(const std::filesystem::path& file, const TSeriesCell& position, std::int16_t value);

// A readable description of the position, for test traces.
std::string SeriesCellText(const TSeriesCell& position);

// One damage done in place to a byte-for-byte copy of a file, and what it is.
struct TFileDamage {
    std::string text;
    std::function<void(const std::filesystem::path& copy)> apply;
};
// The positions of each kind moved round among the markets or zones of File:
// every permutation but those that change nothing, of each market's
// dimension, semantic and map series, of the zones' channel series, of each
// zone's segment series among its markets and each market's among the zones;
// and the period and firm positions swapped.
std::vector<TFileDamage> MovedSeriesPositions(const std::filesystem::path& file);
// Each series of File's list, and each scalar its cells hold, renamed by one
// letter: a scalar in the cell of the latest period that holds it.
std::vector<TFileDamage> RenamedNames(const std::filesystem::path& file);
// In each series of File's list that the series-index table looks up by name,
// the first element the table names renamed by one letter.
std::vector<TFileDamage> RenamedLabels(const std::filesystem::path& file);

}  // namespace cv::test

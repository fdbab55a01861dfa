// The constant part: where the series of each cell sit in the series list, the
// team and its password, and the instructor's restrictions.

#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"
#include "tools/sample_industry/sample_teams.h"
#include "tools/sample_industry/sample_variants.h"

namespace cv::sample {

namespace {

// A team's password holds at most 16 characters.
constexpr std::uint8_t kTeamPasswordLength = 16;

}  // namespace

void WriteSeriesPosition(const TSampleCell& cell, std::string_view name) {
    const int position = RequireCellSeriesPosition(name, cell.cell.zone, cell.cell.market);
    cell.set.SetSmallint(cell.category, cell.context, name, static_cast<std::int16_t>(position));
}

void WriteHomeFirm(const TSampleCell& cell, std::string_view name) {
    cell.set.SetSmallint(cell.category, cell.context, name, kHomeFirm);
}

void WriteRestrictions(const TSampleCell& cell, std::string_view name) {
    TSimArr& words = NewArray(cell, name, dkWord, 0, {&RequireSeries(cell.industry, "RestrictCateg")});
    WriteRestrictionWords(cell.industry, words, name, TSampleRestrictions::None);
}

void WriteTeamPassword(const TSampleCell& cell, std::string_view name) {
    TSimValue password;
    password.changed = 1;
    password.kind = dkZts;
    password.subType = kTeamPasswordLength;
    password.text = TeamPassword(cell.cell.firm);
    cell.set.SetScalar(cell.category, cell.context, name, password);
}

void WriteTeamPasswordKey(const TSampleCell& cell, std::string_view name) {
    cell.set.SetReal(cell.category, cell.context, name, TeamPasswordKey(cell.cell.firm));
}

}  // namespace cv::sample

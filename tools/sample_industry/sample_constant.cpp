// The constant part: where the series of each cell sit in the series list, the
// team and its password, and the instructor's restrictions.

#include <stdexcept>
#include <string>

#include "core/base/numbers.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"
#include "tools/sample_industry/sample_teams.h"

namespace cv::sample {

namespace {

// A team's password holds at most 16 characters.
constexpr std::uint8_t kTeamPasswordLength = 16;

// One restriction bit: the item of a restriction category (a series named like
// the category) that the instructor disabled ("RestrictEnabled") or hid
// ("RestrictHidden") for the teams.
struct TRestriction {
    std::string_view array;
    std::string_view category;
    std::string_view item;
};

constexpr TRestriction kRestrictions[] = {
    {"RestrictEnabled", "rcDecisions", "NoSlfAssistant"},
    {"RestrictEnabled", "StuMkt", "Conjoint"},
    {"RestrictHidden", "rcAnalysis", "NoPortfolio"},
    {"RestrictHidden", "StuMkt", "ExperimentSlf"},
};

std::int16_t RequireIndex(const TSeries& series, std::string_view label) {
    const std::int16_t index = series.IndexOf(label);
    if (index == kLabelAbsent)
        throw std::logic_error("sample industry: no element " + std::string(label) + " in " + series.Name());
    return index;
}

}  // namespace

void WriteSeriesPosition(const TSampleCell& cell, std::string_view name) {
    const int position = RequireCellSeriesPosition(name, cell.cell.zone, cell.cell.market);
    cell.set.SetSmallint(cell.category, cell.context, name, static_cast<std::int16_t>(position));
}

void WriteHomeFirm(const TSampleCell& cell, std::string_view name) {
    cell.set.SetSmallint(cell.category, cell.context, name, kHomeFirm);
}

void WriteRestrictions(const TSampleCell& cell, std::string_view name) {
    const TSeries& categories = RequireSeries(cell.industry, "RestrictCateg");
    TSimArr& words = NewArray(cell, name, dkWord, 0, {&categories});
    for (const TRestriction& restriction : kRestrictions) {
        if (restriction.array != name) continue;
        const std::int16_t category = RequireIndex(categories, restriction.category);
        const std::int16_t item = RequireIndex(RequireSeries(cell.industry, restriction.category), restriction.item);
        words.SetWord({category}, SetWordBit(words.GetWord({category}), item));
    }
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

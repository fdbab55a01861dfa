#pragma once
// The kinds of the program's documents: the letter that names their files,
// their logo, the text lines of their page headers and cover page, and the
// periods their screens read.

#include <array>

namespace cv {

enum class TDocKind { CompanyReport, Newsletter, Studies, Decisions, Budget, MarketingPlan, HardCopy };

struct TDocKindSettings {
    char letter;
    const char* logo;  // picture file of the media directory; nullptr: no cover page
    // Lines of "Headers" for the left, centre and right parts; 0 leaves a part empty.
    std::array<int, 3> headers;
    // Lines of "CoverPages" for the five cover texts; 0 gives a blank.
    std::array<int, 5> cover;
    // The current and the decision period of the screens: the selected period plus these.
    int currentPeriodAhead;
    int decisionPeriodAhead;
};

const TDocKindSettings& DocKindSettings(TDocKind kind);

}  // namespace cv

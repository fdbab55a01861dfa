#pragma once
// What each button of the decisions page stands for: its controls' names, its
// picture, the restriction that disables or hides it, the selectors its
// dialog may use and lends, the tool buttons lent, its help context, and
// whether its decisions are saved and checked after the dialog.

#include <array>
#include <vector>

#include "decisions/page/decision_areas.h"
#include "ui/help_contexts.h"

namespace cv {

// Selector groups an area uses: firm, zone, market, period.
enum TAreaSeries : unsigned { asFirms = 1, asFtas = 2, asMarkets = 4, asPeriods = 8 };

struct TDecisionAreaLayout {
    TDecisionArea area;
    const char* button;
    const char* designCaption;
    const char* panel;    // picture panel; nullptr for the bottom row
    const char* image;
    const char* picture;  // file in the media directory
    const char* restriction;  // item of "rcDecisions"; nullptr: never restricted
    bool decisionPeriodChoice;  // the period selector offers the decision period
    unsigned choices;           // the zone and market selectors offer one choice
    unsigned lent;              // the groups lent to the dialog
    // Groups offered and lent only in an industry of more than one zone.
    unsigned severalZones;
    std::vector<int> toolButtons;
    THelpContext helpContext;
    bool savesAndChecks;
};

const std::array<TDecisionAreaLayout, kDecisionAreaCount>& DecisionAreaLayouts();
const TDecisionAreaLayout& AreaLayout(TDecisionArea area);

// The groups the area's selectors offer and those lent to its dialog, in an
// industry of NbFtas zones.
unsigned AreaChoices(const TDecisionAreaLayout& layout, int nbFtas);
unsigned AreaLent(const TDecisionAreaLayout& layout, int nbFtas);

}  // namespace cv

#pragma once
// The decision areas of the decisions page and the dialogs that open them.
// Each dialog lives in its own folder and plugs in here as it is built: the
// program start registers a factory per area, and the page opens every dialog
// through one protocol. An area without a dialog keeps its button disabled.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/store/data_context.h"

class QWidget;

namespace cv {

class TFoCv3Dec;
class TFoDecision;

enum class TDecisionArea : std::uint8_t {
    BrandPortfolio,
    MarketingMix,
    Distribution,
    Studies,
    RnD,
    Summary,
    Budget,
    MarketingPlan,
};
inline constexpr std::size_t kDecisionAreaCount = 8;

// The brand tab the marketing-mix dialog showed last: it opens on it again
// and leaves the tab it shows when it closes.
struct TMixMemory {
    int Tab = 0;
    std::string Brand;  // at most 16 characters
};

// Creates an area's dialog on the page (its owner) with the page's context,
// which stays the dialog's CallerContext while it is open.
using TDecisionDialogFactory =
    std::function<std::unique_ptr<TFoCv3Dec>(QWidget* owner, TDataContext& context, TMixMemory& mixMemory)>;

// Builds the decisions, budget or marketing-plan document, Choice 1, 2 or 3
// preselected, for the page's context.
using TDecisionPrintEntry = std::function<void(TFoDecision& page, int choice)>;

struct TDecisionDialogs {
    std::array<TDecisionDialogFactory, kDecisionAreaCount> Factories;
    TDecisionPrintEntry Print;

    TDecisionDialogFactory& operator[](TDecisionArea area) { return Factories[static_cast<std::size_t>(area)]; }
    const TDecisionDialogFactory& operator[](TDecisionArea area) const {
        return Factories[static_cast<std::size_t>(area)];
    }
};

}  // namespace cv

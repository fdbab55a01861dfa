#include "ui/help_state.h"

#include "core/session/session.h"

namespace cv {
namespace {

constexpr char kNoQuickHelpScreen[] = "NoQuickHelpScreen";

std::uint32_t IndustryOpenings() { return Session ? Session->IndustryOpenings() : 0; }

}  // namespace

std::string THelpState::QuickHelpKey() const {
    return IndustryOpenings() == openingsAtKey_ ? quickHelpKey_ : kNoQuickHelpScreen;
}

void THelpState::SetQuickHelpKey(std::string key) {
    quickHelpKey_ = std::move(key);
    openingsAtKey_ = IndustryOpenings();
}

THelpState& HelpState() {
    static THelpState state;
    return state;
}

}  // namespace cv

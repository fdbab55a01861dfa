#pragma once
// The help the windows offer now: the quick-help topic and the help file's
// context. Screens, charts, pages and dialogs set them; the main window's help
// buttons show them, and the main window starts them afresh with each session.

#include <cstdint>
#include <string>

#include "ui/help_contexts.h"

namespace cv {

class THelpState {
public:
    // The quick-help topic: "GettingStarted" at first, "NoQuickHelpScreen"
    // once an industry has been opened since the topic was set.
    std::string QuickHelpKey() const;
    void SetQuickHelpKey(std::string key);

    THelpContext HelpContext = hcNone;

private:
    std::string quickHelpKey_ = "GettingStarted";
    std::uint32_t openingsAtKey_ = 0;  // the session's industry openings when the topic was set
};

THelpState& HelpState();

}  // namespace cv

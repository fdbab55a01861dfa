#pragma once
// The decisions page of a main window, shown on a variant of the sample.

#include <filesystem>
#include <optional>

#include "decisions/page/decision_page.h"
#include "shell/main_window.h"
#include "tests/app/support/frame_root.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

// Opens the sample in Variant as the team's industry of Root's program and
// shows Main's decisions page, with the dialogs registered on it; the page,
// or nullptr after a failure.
TFoDecision* ShowDecisionsPage(ProgramRoot& root, TFoCv3Main& main, sample::TSampleVariant variant);
// The same with the industry file Industry, the team's firm the one it names
// or, when given, Team.
TFoDecision* ShowDecisionsPage(TFoCv3Main& main, const std::filesystem::path& industry,
                               std::optional<int> team = std::nullopt);

}  // namespace cv::test

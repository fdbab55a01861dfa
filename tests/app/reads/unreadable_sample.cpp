#include "tests/app/reads/unreadable_sample.h"

#include "core/session/session.h"
#include "team/team_page.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

std::filesystem::path UnreadableSampleTest::WriteSample() {
    return sample::WriteSampleIndustryFile(root.RootPath() / "Private",
                                           {sample::TSampleDecisions::Complete, sample::TSampleRestrictions::None});
}

bool UnreadableSampleTest::OpenPastTheCheck(const std::filesystem::path& file) {
    if (!Session->IndOpen(file.string())) return false;
    windows.teamPage->ShowOpenedIndustry();
    return true;
}

std::vector<std::string> UnreadableSampleTest::UnreadableMessages() const {
    std::vector<std::string> messages;
    for (const RecordingUi::MessageBoxCall& box : root.ui.messageBoxes)
        if (box.key.starts_with(kUnreadableStart)) messages.push_back(box.key);
    return messages;
}

}  // namespace cv::test

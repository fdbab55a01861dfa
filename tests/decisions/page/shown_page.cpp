#include "tests/decisions/page/shown_page.h"

#include <QTest>
#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"

namespace cv::test {

TFoDecision* ShowDecisionsPage(ProgramRoot& root, TFoCv3Main& main, sample::TSampleVariant variant) {
    return ShowDecisionsPage(main, sample::WriteSampleIndustryFile(root.RootPath() / "Private", variant));
}

TFoDecision* ShowDecisionsPage(TFoCv3Main& main, const std::filesystem::path& industry, std::optional<int> team) {
    const bool open = Session && Session->IndOpen(industry.string());
    EXPECT_TRUE(open);
    if (!open) return nullptr;
    if (team) Session->Industry()->ConstPart().SetSmallint(kCategoryIndustry, TDataContext{}, "WhichTeam", *team);
    auto* page = main.findChild<TFoDecision*>(QStringLiteral("FoDecision"));
    EXPECT_NE(page, nullptr);
    if (!page) return nullptr;
    main.RefreshAll();
    main.ShowPage(page);
    EXPECT_TRUE(QTest::qWaitFor([page] { return page->isVisible(); }));
    return page;
}

}  // namespace cv::test

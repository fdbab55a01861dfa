#include "tests/decisions/page/shown_page.h"

#include <QTest>
#include <filesystem>

#include "core/session/session.h"

namespace cv::test {

TFoDecision* ShowDecisionsPage(ProgramRoot& root, TFoCv3Main& main, sample::TSampleVariant variant) {
    const std::filesystem::path industry = sample::WriteSampleIndustryFile(root.RootPath() / "Private", variant);
    EXPECT_TRUE(Session && Session->IndOpen(industry.string()));
    auto* page = main.findChild<TFoDecision*>(QStringLiteral("FoDecision"));
    EXPECT_NE(page, nullptr);
    if (!page) return nullptr;
    main.RefreshAll();
    main.ShowPage(page);
    EXPECT_TRUE(QTest::qWaitFor([page] { return page->isVisible(); }));
    return page;
}

}  // namespace cv::test

#include "tests/decisions/page/decision_page_fixture.h"

#include <QLabel>
#include <QPushButton>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/decisions/checks/message_keys.h"
#include "ui/cp1252.h"

namespace cv::test {

PriceDialog::PriceDialog(QWidget* owner, TDataContext& context) : TFoCv3Dec(owner, context) {
    setObjectName(QStringLiteral("FoPriceTest"));
    resize(400, 200);
    LoadDecisions();
}

bool PriceDialog::StoreDecisions() {
    if (Refuse) return false;
    NewDecs->FindSimArr(kCategoryFirmFtaMarket, *CallerContext, "DecBrdCv3")->SetReal48({1, si::Price}, PriceOnOk);
    return true;
}

void DecisionPageTest::ShowPage(sample::TSampleVariant variant) {
    page = ShowDecisionsPage(root, Main(), variant);
    ASSERT_NE(page, nullptr);
    page->RegisterDialog(TDecisionArea::MarketingMix, [](QWidget* owner, TDataContext& context, TMixMemory&) {
        return std::make_unique<PriceDialog>(owner, context);
    });
}

void DecisionPageTest::Reactivate() {
    Main().ShowPage(windows.teamPage);
    Main().ShowPage(page);
}

void DecisionPageTest::SetPrice(double price, int fta) {
    TDataContext context = page->Data;
    context.SelFta = static_cast<std::int16_t>(fta);
    context.SelMarket = 1;
    Session->Industry()
        ->PerDecisions(Session->Industry()->DecPeriod())
        .FindSimArr(kCategoryFirmFtaMarket, context, "DecBrdCv3")
        ->SetReal48({1, si::Price}, price);
}

void DecisionPageTest::EmptyChannel() {
    TDataContext context = page->Data;
    context.SelFta = 1;
    Session->Industry()
        ->PerDecisions(Session->Industry()->DecPeriod())
        .FindSimArr(kCategoryFirmFta, context, "SlfSize")
        ->SetReal48({1}, 0);
}

QString DecisionPageTest::StateText() const { return page->findChild<QLabel*>("labErrWng")->text(); }

QColor DecisionPageTest::StateColour() const {
    return page->findChild<QLabel*>("labErrWng")->palette().color(QPalette::WindowText);
}

bool DecisionPageTest::ErrorsEnabled() const { return page->findChild<QPushButton*>("BBErrors")->isEnabled(); }

std::vector<std::string> DecisionPageTest::ListedKeys(std::string& title) {
    root.ui.messageLists.clear();
    QTest::mouseClick(page->findChild<QPushButton*>("BBErrors"), Qt::LeftButton);
    if (root.ui.messageLists.empty()) return {};
    title = root.ui.messageLists.back().texts.InfoTitle;
    return MessageKeys(root.ui.messageLists.back().items);
}

std::vector<TQnInfo> DecisionPageTest::ListedMessages() {
    root.ui.messageLists.clear();
    QTest::mouseClick(page->findChild<QPushButton*>("BBErrors"), Qt::LeftButton);
    return root.ui.messageLists.empty() ? std::vector<TQnInfo>{} : root.ui.messageLists.back().items;
}

}  // namespace cv::test

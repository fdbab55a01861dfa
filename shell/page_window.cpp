#include "shell/page_window.h"

#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "shell/selector/cv_bar.h"

namespace cv {
namespace {

std::vector<TFoCv3Mod*>& PageList() {
    static std::vector<TFoCv3Mod*> pages;
    return pages;
}

TFoCv3Mod*& CurrentPage() {
    static TFoCv3Mod* page = nullptr;
    return page;
}

}  // namespace

TFoCv3Mod::TFoCv3Mod(QWidget* owner, const QString& name, TPageNeeds needs)
    : TQNForm(owner, Qt::Widget),
      menuBar_(new QMenuBar(this)),
      combos_(
          *this, [this] { return menuBar_->sizeHint().height(); },
          [this](int position, int index) { ListComboChange(position, index); }),
      display_(*this),
      needs_(needs) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    menuTree_ = std::make_unique<TActionMenuTree>(menuBar_);
    const auto& pages = PageList();
    const auto others = std::count_if(pages.begin(), pages.end(),
                                      [&](const TFoCv3Mod* page) { return page->objectName() != name; });
    windowNumber_ = 1 + static_cast<int>(others);
    PageList().push_back(this);
}

TFoCv3Mod::~TFoCv3Mod() {
    display_.Clear();
    auto& pages = PageList();
    pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
    if (CurrentPage() == this) CurrentPage() = nullptr;
}

const std::vector<TFoCv3Mod*>& TFoCv3Mod::Pages() { return PageList(); }

TFoCv3Mod* TFoCv3Mod::Current() { return CurrentPage(); }

void TFoCv3Mod::SetCurrent(TFoCv3Mod* page) { CurrentPage() = page; }

void TFoCv3Mod::RegisterPage(QAction* currentItem) {
    // The page table has room for ten pages; an eleventh is never registered.
    if (Session && windowNumber_ <= kPageWindowCount) {
        Data = TDataContext{};
        Selectors = TPageSelectors{};
        rememberedNode_ = currentItem ? menuTree_->NodeOf(currentItem) : nullptr;
    }
    InitSelector();
    UpdateMenus();
}

QMenu* TFoCv3Mod::AddMenu(const QString& name, const QString& designCaption) {
    QMenu* menu = menuBar_->addMenu(designCaption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* TFoCv3Mod::AddMenuItem(QMenu* menu, const QString& name, const QString& designCaption,
                                TMenuHandler handler) {
    QAction* item = menu->addAction(designCaption);
    item->setObjectName(name);
    if (!handler) handler = [this](QAction* sender) { MenuItemClick(sender); };
    connect(item, &QAction::triggered, this, [item, handler] { handler(item); });
    return item;
}

void TFoCv3Mod::AddSeparator(QMenu* menu, const QString& name) { menu->addSeparator()->setObjectName(name); }

QAction* TFoCv3Mod::RememberedItem() const {
    if (!Session || windowNumber_ < 1 || windowNumber_ > kPageWindowCount) return nullptr;
    auto* node = dynamic_cast<TActionMenuNode*>(rememberedNode_);
    return node ? node->Action() : nullptr;
}

void TFoCv3Mod::SetRememberedItem(QAction* item) {
    if (!Session || windowNumber_ < 1 || windowNumber_ > kPageWindowCount) return;
    rememberedNode_ = item ? menuTree_->NodeOf(item) : nullptr;
}

void TFoCv3Mod::MenuItemClick(QAction* item) {
    if (QWidget* focused = focusWidget()) focused->clearFocus();
    display_.Clear();
    combos_.HideAll();
    RememberItem(item);
}

void TFoCv3Mod::RememberItem(QAction* item) {
    // Only the remembered item carries a check mark; the others show none at all.
    if (QAction* previous = RememberedItem()) {
        previous->setChecked(false);
        previous->setCheckable(false);
    }
    SetRememberedItem(item);
    if (item) {
        item->setCheckable(true);
        item->setChecked(true);
    }
}

void TFoCv3Mod::ListComboChange(int position, int index) {
    std::int16_t* words[] = {&Data.GraphOption, &Data.UnitsOrValue, &Data.EvolChoice};
    std::int16_t* word = combos_.Word(position);
    *(word ? word : words[position - 1]) = static_cast<std::int16_t>(index + 1);
    display_.Rebuild(Data);
}

void TFoCv3Mod::HorzAxisComboChange(QComboBox* sender) {
    Data.HorzAxis = static_cast<std::int16_t>(sender->currentIndex() + 1);
    display_.Rebuild(Data);
}

void TFoCv3Mod::VertAxisComboChange(QComboBox* sender) {
    Data.VertAxis = static_cast<std::int16_t>(sender->currentIndex() + 1);
    display_.Rebuild(Data);
}

void TFoCv3Mod::SegmentComboChange(QComboBox* sender) {
    Data.SelSegment = static_cast<std::int16_t>(sender->currentIndex() + 1);
    display_.Rebuild(Data);
}

void TFoCv3Mod::resizeEvent(QResizeEvent* event) {
    TQNForm::resizeEvent(event);
    combos_.PlaceShown();
    display_.FollowPageSize();
}

void TFoCv3Mod::Print() { display_.Print(this); }

void TFoCv3Mod::CopyToClipboard() { display_.CopyToClipboard(); }

void TFoCv3Mod::InitSelector() {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return;
    Data.SelPeriod = industry->CurPeriod();
    Data.CurPeriod = Data.SelPeriod;
    Data.DecPeriod = static_cast<std::int16_t>(Data.CurPeriod + (needs_.decisionPeriod ? 1 : 0));
    Data.SelFirm = industry->ConstPart().GetSmallint(kCategoryIndustry, Data, "WhichTeam");
    Data.SelFta = industry->FtaSeries()->Lo();
    Data.SelMarket = industry->MktSeries()->Lo();
    if (TSeries* segments = industry->SegSeries(Data.SelFta, Data.SelMarket)) Data.SelSegment = segments->Lo();
    Data.HomeFirm = Data.SelFirm;
    Data.HomeFta = Data.SelFta;
    Data.HomeMarket = Data.SelMarket;
}

void TFoCv3Mod::SetPeriodSelector(std::uint8_t mode, std::int32_t period, bool enabled) {
    Data.PerBarMode = mode;
    Data.PerBarPeriod = period;
    Data.PerBarFlag = enabled;
}

void TFoCv3Mod::SetupBar() {
    if (CvBar) CvBar->Update(Data, Selectors);
}

namespace {

// The kinds of a selector list (its first number); kind 0, none, changes nothing.
constexpr int kListEach = 1;
constexpr int kListOne = 2;
constexpr int kListAll = 32767;
constexpr std::uint8_t kModeShownDisabled = 3;
constexpr std::int16_t kAllSelected = 1023;

void ApplyEnabledList(TSelectorState& state, const std::vector<int>& list) {
    if (list.empty()) return;
    const int count = TSelectorState::kElements;
    switch (list[0]) {
    case kListEach:
        for (int i = 1; i < static_cast<int>(list.size()) && i <= count; ++i) state.Enabled[i - 1] = list[i] ? 1 : 0;
        break;
    case kListOne:
        if (list.size() > 1 && list[1] >= 1 && list[1] <= count) state.Enabled[list[1] - 1] = 1;
        break;
    case kListAll: std::fill(std::begin(state.Enabled), std::end(state.Enabled), 1); break;
    default: break;
    }
}

std::int16_t ApplySelectedList(TSelectorState& state, const std::vector<int>& list) {
    std::int16_t word = 0;
    if (list.empty()) return word;
    const int count = TSelectorState::kElements;
    switch (list[0]) {
    case kListEach:
        for (int i = 1; i < static_cast<int>(list.size()) && i <= count; ++i) {
            state.Enabled[i - 1] = 1;
            state.Down[i - 1] = list[i] ? 1 : 0;
            if (list[i]) word = static_cast<std::int16_t>(word | (1 << (i - 1)));
        }
        break;
    case kListOne:
        if (list.size() < 2) break;
        if (state.Mode == bgmMultiple) {
            for (int i = 0; i < count; ++i) state.Down[i] = (list[1] >> i) & 1;
            word = static_cast<std::int16_t>(list[1]);
        } else if (list[1] >= 1 && list[1] <= count) {
            state.Down[list[1] - 1] = 1;
        }
        break;
    case kListAll:
        std::fill(std::begin(state.Down), std::end(state.Down), 1);
        word = kAllSelected;
        break;
    default: break;
    }
    return word;
}

}  // namespace

void TFoCv3Mod::SetIndexSelector(const std::string& series, std::uint8_t mode, const std::vector<int>& selected,
                                 const std::vector<int>& enabled) {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return;
    TSelectorState* state = nullptr;
    std::int16_t* word = nullptr;
    if (series == industry->FirSeries()->Name()) state = &Selectors.Fir, word = &Data.HomeFirm;
    else if (series == industry->FtaSeries()->Name()) state = &Selectors.Fta, word = &Data.HomeFta;
    else if (series == industry->MktSeries()->Name()) state = &Selectors.Mkt, word = &Data.HomeMarket;
    if (!state) return;
    *state = TSelectorState{};
    state->Mode = mode == kModeShownDisabled ? std::uint8_t{bgmDisabled} : mode;
    ApplyEnabledList(*state, enabled);
    *word = ApplySelectedList(*state, selected);
}

bool TFoCv3Mod::ApplySelector(TBarGrpBtn& group, QWidget* sender) {
    if (QWidget* focused = focusWidget()) focused->clearFocus();
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return false;
    const std::string series = group.objectName().toStdString();
    bool changed = false;
    auto choose = [&](std::int16_t& value, std::int16_t chosen) {
        changed = value != chosen;
        value = chosen;
    };
    if (series == industry->PerSeries()->Name()) {
        if (auto* spin = qobject_cast<TBarSpinBtn*>(sender)) choose(Data.SelPeriod, static_cast<std::int16_t>(spin->Value()));
    } else if (auto* button = qobject_cast<TBarSpeedBtn*>(sender)) {
        const bool isFirm = series == industry->FirSeries()->Name();
        const bool isFta = series == industry->FtaSeries()->Name();
        const bool isMkt = series == industry->MktSeries()->Name();
        std::int16_t* selection = isFirm ? &Data.SelFirm : isFta ? &Data.SelFta : isMkt ? &Data.SelMarket : nullptr;
        std::int16_t* word = isFirm ? &Data.HomeFirm : isFta ? &Data.HomeFta : isMkt ? &Data.HomeMarket : nullptr;
        if (!selection) return false;
        if (group.Mode != bgmMultiple) {
            choose(*selection, static_cast<std::int16_t>(button->Element));
        } else {
            const auto bit = static_cast<std::int16_t>(1 << (button->Element - 1));
            choose(*word, static_cast<std::int16_t>(button->isChecked() ? (*word | bit) : (*word & ~bit)));
            // The market shown is the first one still selected.
            if (isMkt)
                for (int market = 1; market <= industry->MktSeries()->Count(); ++market)
                    if (*word & (1 << (market - 1))) {
                        Data.SelMarket = static_cast<std::int16_t>(market);
                        break;
                    }
        }
    }
    if (changed && CurrentPage() == this) RebuildDisplay();
    return changed;
}

void TFoCv3Mod::ShowItemAtCurrentPeriod(QAction* item) {
    if (Session && Session->Industry()) {
        Data.DecPeriod = static_cast<std::int16_t>(Data.SelPeriod + (needs_.decisionPeriod ? 1 : 0));
        Data.CurPeriod = Data.SelPeriod;
    }
    MenuItemClick(item);
}

}  // namespace cv

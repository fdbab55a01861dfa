#pragma once
// TFoCv3Mod: the base of the page windows. A page lives in the main window's
// page area, carries its own menu bar, registers itself under a window number,
// remembers (and checks) the menu item last chosen on it, and keeps its
// data-context record filled from the open industry. What it shows, a report
// screen or a chart, is in its one display slot, which Print and Copy read.
//
// Pages are activated and deactivated explicitly by the main window when it
// shows another page; focus changes do not count.

#include <QAction>
#include <QMenuBar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "shell/action_menu_node.h"
#include "shell/page_combos.h"
#include "shell/page_display.h"
#include "ui/fields/selector_state.h"
#include "ui/qn_form.h"

class QMenu;

namespace cv {
class TBarGrpBtn;
}

namespace cv {

// The most page windows there are; window numbers run 1..10.
inline constexpr int kPageWindowCount = 10;

// What a page needs of the frame, declared when it is made.
struct TPageNeeds {
    // The page works on the decision period: its decision period is one past
    // the period it shows, and the selector bar lets it choose that period.
    bool decisionPeriod = false;
};

class TFoCv3Mod : public TQNForm {
    Q_OBJECT

public:
    // Name: the page's component name, which decides its window number.
    TFoCv3Mod(QWidget* owner, const QString& name, TPageNeeds needs = {});
    ~TFoCv3Mod() override;

    // Every page window that exists, in creation order.
    static const std::vector<TFoCv3Mod*>& Pages();
    // The page window on show; null before the main window shows one and
    // after that page is gone.
    static TFoCv3Mod* Current();
    static void SetCurrent(TFoCv3Mod* page);

    int WindowNumber() const { return windowNumber_; }
    const TPageNeeds& Needs() const { return needs_; }
    TDataContext Data;
    // The page's firm, zone and market selectors, loaded into the bar with Data.
    TPageSelectors Selectors;
    // What the page shows; emptied when another menu item is chosen.
    TPageDisplay& Display() { return display_; }
    const TPageDisplay& Display() const { return display_; }

    QMenuBar* PageMenuBar() const { return menuBar_; }
    TActionMenuTree& MenuTree() { return *menuTree_; }
    // The item the page remembers; null when none.
    QAction* RememberedItem() const;
    // The item the previous-page and next-page buttons step from: by default the remembered one.
    virtual QAction* SteppingItem() const { return RememberedItem(); }

    // Clears the display and makes Item the remembered, checked item.
    virtual void MenuItemClick(QAction* item);
    // Loads the selector bar from Data; pages lay out their selectors first.
    virtual void SetupBar();
    // Shows and enables the page's menu entries.
    virtual void UpdateMenus() {}
    // Prints or copies what the page shows (TPageDisplay).
    virtual void Print();
    virtual void CopyToClipboard();
    // Called when the page becomes the one shown, and when it stops being it.
    virtual void FormActivate() {}
    virtual void FormDeactivate() {}

    // The option combo boxes (shell/page_combos.h). A change of a combo
    // stores its choice (from 1) in the word it was added with (one of Data's
    // fields); a combo only filled stores it, by position 1, 2 or 3, in Data's
    // graph option, units-or-value or evolution choice. What the page shows
    // is built again with it, in place.
    TPageCombos& Combos() { return combos_; }
    void ListComboChange(int position, int index);
    // The axis and segment combos that chart pages lay out themselves.
    virtual void HorzAxisComboChange(QComboBox* sender);
    virtual void VertAxisComboChange(QComboBox* sender);
    virtual void SegmentComboChange(QComboBox* sender);
    // Shows Data again after the selector bar changed it: group pages show
    // their remembered item again; the base shows nothing new.
    virtual void RebuildDisplay() {}

    // Fills Data from the open industry: the current period, the team's own
    // firm, the first zone, market and segment. Nothing without an industry.
    void InitSelector();
    // The period selector of the page: its mode (0 hidden, 2 shown), the
    // period it shows and whether that period can be chosen.
    void SetPeriodSelector(std::uint8_t mode, std::int32_t period, bool enabled);
    // Configures the firm, zone or market selector of Data (the series'
    // name picks it): Mode (3 shows the group disabled), then the enabled and
    // the selected elements, each list led by its form: 0 none, 1 one value
    // per element, 2 the one element (in multiple choice the bit set) given
    // next, 32767 all ten.
    void SetIndexSelector(const std::string& series, std::uint8_t mode, const std::vector<int>& selected,
                          const std::vector<int>& enabled);
    // Reads a click on the selector bar into Data; when it changed what the
    // current page shows, that page rebuilds its display (RebuildDisplay).
    virtual bool ApplySelector(TBarGrpBtn& group, QWidget* sender);

    // Re-opens Item at the page's selected period.
    void ShowItemAtCurrentPeriod(QAction* item);

protected:
    // Finishes the creation once the page's menus exist: registers the page
    // in the page table with CurrentItem as its remembered item, fills Data
    // and updates the menus. A page calls it at the end of its constructor.
    void RegisterPage(QAction* currentItem);
    // Makes Item the remembered, checked item, leaving what is shown as it is.
    void RememberItem(QAction* item);
    // A sub-menu of the page's menu bar, and an item in it; an item given no
    // handler of its own runs MenuItemClick.
    QMenu* AddMenu(const QString& name, const QString& designCaption);
    using TMenuHandler = std::function<void(QAction*)>;
    QAction* AddMenuItem(QMenu* menu, const QString& name, const QString& designCaption, TMenuHandler handler = {});
    void AddSeparator(QMenu* menu, const QString& name);
    // The page area follows the room the screen leaves the main window: the
    // combos and what the page shows follow the page's new size.
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetRememberedItem(QAction* item);

    QMenuBar* menuBar_;
    std::unique_ptr<TActionMenuTree> menuTree_;
    TPageCombos combos_;
    TPageDisplay display_;
    TPageNeeds needs_;
    int windowNumber_ = 0;
    TMenuNode* rememberedNode_ = nullptr;  // in menuTree_
};

}  // namespace cv

// The main window's tool buttons: what each does, and their lending to the
// modal dialogs that show them on their own windows.

#include "shell/main_window.h"

#include <filesystem>

#include "core/base/menu_tree.h"
#include "core/language/translator.h"
#include "core/session/session.h"
#include "shell/action_menu_node.h"
#include "shell/config/config_dialog.h"
#include "shell/page_window.h"
#include "shell/splash_screen.h"
#include "ui/help_state.h"
#include "ui/message_box.h"
#include "ui/reading_order.h"
#include "ui/user_action.h"

namespace cv {
namespace {

// A gap of -1 between lent tool buttons stands for this many pixels.
constexpr int kDefaultToolButtonGap = 3;
// The configuration dialog shows the help button at its top right.
constexpr int kHelpButton = 2;
constexpr int kLentButtonMargin = 5;
constexpr int kLentButtonTop = 3;

}  // namespace

void TFoCv3Main::ShowToolButtonsOn(const std::vector<int>& numbers, const std::vector<int>& gaps, QWidget* target,
                                   int startX, int y, bool rightToLeft) {
    const int step = rightToLeft ? -1 : 1;
    int x = startX;
    QToolButton* previous = nullptr;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        QToolButton* button = ToolButton(numbers[i]);
        if (button->isHidden() || !button->isEnabled()) continue;
        if (!previous) {
            if (rightToLeft) x -= button->width();
        } else {
            const int gap = i > 0 && i - 1 < gaps.size() ? gaps[i - 1] : 0;
            x += previous->width() * step;
            x += (gap == -1 ? kDefaultToolButtonGap : gap) * step;
        }
        button->setParent(target);
        MarkLent(*button);
        button->move(x, y);
        button->show();
        previous = button;
    }
}

void TFoCv3Main::RestoreToolButtons() {
    for (int i = 0; i < kToolButtonCount; ++i) {
        const bool visible = !toolButtons_[i]->isHidden();
        toolButtons_[i]->setParent(bar_);
        toolButtons_[i]->move(toolButtonHomes_[i]);
        toolButtons_[i]->setVisible(visible);
    }
}

void TFoCv3Main::sbPrintClick() {
    // A failed print loses nothing; the page gets the focus back.
    if (TFoCv3Mod* page = TFoCv3Mod::Current(); Session && page) RunUserAction([page] { page->Print(); });
    RefreshPage();
}

void TFoCv3Main::SbCopyToClipClick() {
    if (TFoCv3Mod* page = TFoCv3Mod::Current()) page->CopyToClipboard();
    RefreshPage();
}

void TFoCv3Main::sbHelpClick() {
    if (Session && !helpFileName_.empty()) {
        if (!helpWindow_) helpWindow_ = std::make_unique<THelpWindow>();
        helpWindow_->ShowContext(helpFileName_, HelpState().HelpContext);
    }
    RefreshPage();
}

void TFoCv3Main::sbQuickHelpClick() {
    ShowQuickHelp(HelpState().QuickHelpKey());
    RefreshPage();
}

void TFoCv3Main::sbAboutClick() {
    TDataContext* context = TFoCv3Mod::Current() ? &TFoCv3Mod::Current()->Data : nullptr;
    TFoSplashScreen about(nullptr, context);
    about.exec();
    RefreshPage();
}

void TFoCv3Main::sbConfigClick() {
    TFoConfig config(this);
    ShowToolButtonsOn({kHelpButton}, {0}, &config, config.width() - kLentButtonMargin, kLentButtonTop, true);
    HelpState().HelpContext = hcSettings;
    config.exec();
    RestoreToolButtons();
    if (config.LanguageChanged()) {
        SetMessageBoxTexts(Translator.get(), kSectionMessages);
        if (const std::string helpFile = LanguageHelpFile(); std::filesystem::is_regular_file(helpFile))
            helpFileName_ = helpFile;
    }
    RefreshPage();
    UpdateCaption();
}

void TFoCv3Main::sbPrevPageClick() { StepPageMenu(false); }

void TFoCv3Main::sbNextPageClick() { StepPageMenu(true); }

void TFoCv3Main::StepPageMenu(bool forward) {
    TFoCv3Mod* page = TFoCv3Mod::Current();
    if (!page) return;
    QAction* stepping = page->SteppingItem();
    if (!stepping) {
        page->setFocus();
        page->FormActivate();
        return;
    }
    TMenuNode* from = page->MenuTree().NodeOf(stepping);
    TMenuNode* to = forward ? NextEnabledMenuItem(from) : PrevEnabledMenuItem(from);
    page->setFocus();
    if (auto* node = dynamic_cast<TActionMenuNode*>(to)) page->MenuItemClick(node->Action());
}

}  // namespace cv

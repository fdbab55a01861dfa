#include "reports/pages/newsletter_page.h"

#include "core/language/translator.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"
#include "reports/pages/newsletter_menu.h"
#include "reports/pages/page_hard_copy.h"
#include "ui/cp1252.h"

namespace cv {
namespace {

constexpr char kModeLabelKey[] = "LSelectPresMode";
constexpr char kModesKey[] = "SCardModes";
constexpr int kModeComboPosition = 1;  // the combo whose choice is the context's graph option

QString ModeLabel() {
    std::vector<std::string> lines;
    if (Translator) Translator->GetLines(kSectionControls, kModeLabelKey, lines);
    return lines.empty() ? QString() : Cp1252ToQString(lines.front());
}

}  // namespace

TFoNLetter::TFoNLetter(TFoCv3Main& mainWindow, QWidget* owner) : TGroupPage(mainWindow, owner, NewsletterPageMenu()) {}

QComboBox* TFoNLetter::PresentationCombo() const {
    QComboBox* combo = const_cast<TFoNLetter*>(this)->Combos().Combo(kModeComboPosition);
    return combo && combo->isVisible() ? combo : nullptr;
}

void TFoNLetter::ShowItem(const TPageItem& item) {
    if (item.name == kNewsletterScoreCardItem) {
        Data.GraphOption = TNewsScr::kValuesMode;
        if (Data.CurPeriod > 0) {
            const int last = si::SCardModes ? si::SCardModes->Count() : static_cast<int>(TNewsScr::kIndexMode);
            Combos().AddListCombo(ModeLabel(), kModeComboPosition, Data.GraphOption, {kModesKey, 1, last});
        }
    }
    TGroupPage::ShowItem(item);
}

void TFoNLetter::Print() { PrintPageHardCopy(*this); }

}  // namespace cv

#include "ui/report/cv_screen.h"

#include "core/language/translator.h"
#include "core/session/session.h"
#include "ui/help_state.h"
#include "core/session/industry.h"

namespace cv {
namespace {

constexpr std::size_t kUnitLabelLength = 8;
constexpr std::size_t kMiscLabelLength = 16;
constexpr std::size_t kMaxLinesPerList = 33;
constexpr int kMaxMode = 255;
constexpr const char* kQuickHelpScreen = "NoQuickHelpScreen";

std::string TranslatedLine(int section, const std::string& key, int lineNo) {
    if (!Translator) return "bad line number " + std::to_string(lineNo);
    return Translator->GetLine(section, key, lineNo);
}

}  // namespace

TCVScreen::TCVScreen(QWidget* owner, const TDataContext& context, const TScreenLayout& layout)
    : owner_(owner), context_(context), layout_(layout) {
    layout_.mode = std::clamp(layout.mode, 0, kMaxMode);
    static constexpr int kUnitLines[] = {1, 2, 3, 4, 6, 7};
    for (std::size_t i = 0; i < unitLabels_.size(); ++i)
        unitLabels_[i] = TranslatedLine(kSectionGlobals, "Units", kUnitLines[i]).substr(0, kUnitLabelLength);
    for (std::size_t i = 0; i < miscLabels_.size(); ++i)
        miscLabels_[i] = TranslatedLine(kSectionGlobals, "MISC", static_cast<int>(i) + 1).substr(0, kMiscLabelLength);
    for (std::size_t i = 0; i < defaultTexts_.size(); ++i)
        defaultTexts_[i] = TranslatedLine(kSectionMessages, "DfltCVScreen", static_cast<int>(i) + 1);
}

TCVScreen::~TCVScreen() = default;

void TCVScreen::Build(const TDataContext& context) {
    context_ = context;
    documentFlag_ = layout_.mode == kDocumentMode;
    empty_ = false;
    previousResults_ = currentResults_ = decisions_ = nullptr;
    if (!Session) return;
    HelpState().SetQuickHelpKey(kQuickHelpScreen);
    if (TCvInd* industry = Session->Industry()) {
        previousResults_ = &industry->PerResults(context.CurPeriod - 1);
        currentResults_ = &industry->PerResults(context.CurPeriod);
        decisions_ = &industry->PerDecisions(context.DecPeriod);
    }
}

void TCVScreen::LoadLines(int section, const std::string& key) {
    lines_.clear();
    if (Translator) Translator->GetLines(section, key, lines_);
}

std::string TCVScreen::GetLine(int lineNo) const {
    if (lineNo < 1 || static_cast<std::size_t>(lineNo) > lines_.size())
        return "bad line number " + std::to_string(lineNo);
    return lines_[static_cast<std::size_t>(lineNo - 1)];
}

std::string TCVScreen::GetMiscText(int lineNo) const { return TranslatedLine(kSectionGlobals, "MISC", lineNo); }

std::string TCVScreen::GetUnitsText(int lineNo) const { return TranslatedLine(kSectionGlobals, "Units", lineNo); }

std::string TCVScreen::FormatValue(const std::string& text) const {
    return Session ? Session->ExpandTokens(text, context_) : text;
}

std::string TCVScreen::ReplaceNewLine(std::string text, bool lineBreak) {
    static constexpr std::string_view kNewLine = "@NL";
    const std::size_t at = text.find(kNewLine);
    if (at != std::string::npos) text.replace(at, kNewLine.size(), lineBreak ? "\n" : " ");
    return text;
}

void TCVScreen::FillTable(TQNTable& table, const std::vector<int>& titleLineNumbers,
                          const std::vector<int>& noteLineNumbers, int rowsBefore, int rowsBetween, int rowsAfter,
                          int alignment) const {
    const auto texts = [this](const std::vector<int>& lineNumbers) {
        std::vector<std::string> kept;
        for (int lineNo : lineNumbers)
            if (lineNo > 0 && kept.size() < kMaxLinesPerList) kept.push_back(FormatValue(GetLine(lineNo)));
        return kept;
    };
    // A document's extra blank row goes on top of the style's default count
    // too: adding it to the "default" marker -1 would drop the row instead.
    const int after = rowsAfter == -1 ? TableStyle(table.Sheet().TableType()).rowsAfter : rowsAfter;
    table.FormatArea(texts(titleLineNumbers), texts(noteLineNumbers), rowsBefore, rowsBetween,
                     after + (documentFlag_ ? 1 : 0), alignment);
}

TQNTable& TCVScreen::EnsureTable(TTableType windowType, const std::string& sheetName) {
    if (!table_)
        table_ = std::make_unique<TQNTable>(owner_, IsDocument() ? TTableType::Document : windowType, sheetName,
                                            layout_.placement, kDerivedZoom);
    return *table_;
}

void TCVScreen::Present() {
    if (!table_) return;
    if (IsDocument())
        table_->Refresh();
    else
        table_->Show();
}

TNumberFormat TCVScreen::ChangeFormat() const {
    return IsDocument() ? TNumberFormat::Percent : TNumberFormat::SignedPercentRedFall;
}

}  // namespace cv

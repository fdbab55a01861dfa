#include "core/language/keyed_messages.h"

#include <algorithm>
#include <string_view>

#include "core/language/language_file.h"
#include "core/language/translator.h"

namespace cv {
namespace {

// Messages are looked up in the sections up to the result texts.
constexpr int kFirstTextSection = kSectionSeries;
constexpr int kLastTextSection = kSectionResults;
constexpr char kNoMessagesKey[] = "QnNoMessages";
// Line list of the message box that stands for every line of the entry.
constexpr int kAllLines = 0;

// Lines of the dialog's controls entry.
enum DialogTextLine : std::size_t { kTitleLine = 1, kHeadLabelLine, kListHintLine, kDetailLabelLine, kOkCaptionLine };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parameter number that Digits spells as a whole decimal number, or 0 when
// it names no parameter (empty, a leading zero, or beyond the parameters).
std::size_t TagNumber(std::string_view digits, std::size_t paramCount) {
    if (digits.empty() || digits.front() == '0') return 0;
    const std::size_t maxDigits = std::to_string(paramCount).size();
    if (digits.size() > maxDigits) return 0;
    std::size_t number = 0;
    for (char c : digits) number = number * 10 + static_cast<std::size_t>(c - '0');
    return number <= paramCount ? number : 0;
}

// One pass over the entry's text: every tag with a parameter gets its text, and
// inserted texts are never scanned again.
std::string Substitute(const std::string& text, const std::vector<std::string>& params) {
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '@') {
            result += text[pos++];
            continue;
        }
        std::size_t digitsEnd = pos + 1;
        while (digitsEnd < text.size() && IsDigit(text[digitsEnd])) ++digitsEnd;
        const std::string_view digits(text.data() + pos + 1, digitsEnd - pos - 1);
        if (const std::size_t number = TagNumber(digits, params.size()); number != 0) {
            result += params[number - 1];
        } else {
            result.append(text, pos, digitsEnd - pos);
        }
        pos = digitsEnd;
    }
    return result;
}

bool SectionHoldsKey(int section, const std::string& key) {
    std::vector<std::string> keys;
    Translator->GetKeys(section, keys);
    return std::any_of(keys.begin(), keys.end(), [&key](const std::string& name) { return SameTextAscii(name, key); });
}

TQnInfoTexts dialogTexts;

void SetWhenPresent(std::string& text, const std::vector<std::string>& lines, std::size_t lineNo) {
    if (lineNo <= lines.size()) text = lines[lineNo - 1];
}

}  // namespace

void TCVInfo::SetKey(const std::string& key) {
    key_ = key;
    params_.clear();
    LoadText();
}

void TCVInfo::LoadText() {
    text_ = TQnInfo();
    const bool knownSection = section_ >= kFirstTextSection && section_ <= kLastTextSection;
    if (knownSection && Translator != nullptr && SectionHoldsKey(section_, key_)) {
        std::vector<std::string> lines;
        Translator->GetLines(section_, key_, lines);
        if (!lines.empty()) {
            text_.Headline = lines.front();
            text_.Lines.assign(lines.begin() + 1, lines.end());
        }
    }
    SubstituteParams();
}

void TCVInfo::AddParam(const std::string& text) {
    params_.push_back(text);
    SubstituteParams();
}

void TCVInfo::SubstituteParams() {
    info_.Headline = Substitute(text_.Headline, params_);
    info_.Lines.clear();
    for (const auto& line : text_.Lines) info_.Lines.push_back(Substitute(line, params_));
}

void TCVInfo::SetCategory(int value) { category_ = (value >= 0 && value <= kMaxCategory) ? value : 0; }

void TCVInfo::SetSeverity(int value) { severity_ = (value >= 0 && value <= kMaxSeverity) ? value : 0; }

const TQnInfoTexts& QnInfoTexts() { return dialogTexts; }

void ShowKeyedMessage(const std::string& key, const TQnInfos& items, int noMessageLine, TAlignment alignment) {
    if (!key.empty() && Translator != nullptr) {
        std::vector<std::string> lines;
        Translator->GetLines(kSectionControls, key, lines);
        if (lines.size() >= kTitleLine) {
            dialogTexts.InfoTitle = std::string(kApplicationTitle) + " - " + lines[kTitleLine - 1];
        }
        SetWhenPresent(dialogTexts.InfoHeadLabel, lines, kHeadLabelLine);
        SetWhenPresent(dialogTexts.InfoListHint, lines, kListHintLine);
        SetWhenPresent(dialogTexts.InfoDetailLabel, lines, kDetailLabelLine);
        SetWhenPresent(dialogTexts.InfoOkCaption, lines, kOkCaptionLine);
    }
    ShowInfoList(items, noMessageLine, alignment);
}

void ShowInfoList(const TQnInfos& items, int noMessageLine, TAlignment alignment) {
    if (!items.Empty()) {
        Ui().ShowMessageList(items, dialogTexts, alignment);
        return;
    }
    // The box shows the translated entry, never the bare key.
    if (noMessageLine < 0) {
        Ui().ShowMessageBox(TMsgDlgType::mtInformation, mbOK, kNoMessagesKey, {kAllLines}, TAlignment::taCenter);
    }
}

}  // namespace cv

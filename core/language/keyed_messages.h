#pragma once
// Messages built from keys of the language file, and the lists of them that the
// decision checks fill and show together in one dialog.
//
// A message entry's first line is its headline and the further lines its
// details; the tags "@1", "@2" ... in them stand for parameters supplied by the
// caller (a brand name, a market, an amount).

#include <cstdint>
#include <string>
#include <vector>

#include "core/language/translator.h"
#include "core/base/message_list.h"
#include "core/base/ui_services.h"

namespace cv {

// Builds one message at a time: SetKey, then AddParam once per parameter in
// order, SetCategory, SetSeverity, and the list takes a copy of Info().
class TCVInfo {
public:
    static constexpr int kMaxCategory = 2;
    static constexpr int kMaxSeverity = 4;

    // Section in which the next SetKey or LoadText looks its key up; only
    // sections 1..8 give a message.
    std::uint8_t Section() const { return section_; }
    void SetSection(std::uint8_t section) { section_ = section; }

    // Starts a new message: the key's entry, without parameters.
    void SetKey(const std::string& key);
    // Rebuilds Info from Section and Key: an empty message when the section is
    // outside 1..8 or the key (letter case ignored) is not one of its entries.
    void LoadText();
    // Parameter n is the text of the tag "@" followed by n; it replaces its tags
    // as soon as it is added.
    void AddParam(const std::string& text);
    // Writes the current parameters into the entry's text. A tag is "@" followed
    // by its whole decimal number ("@1" is not the start of "@10"); tags whose
    // parameter has not been added stay, and a parameter's own text is never
    // taken for a tag.
    void SubstituteParams();
    // Out-of-range values store 0.
    void SetCategory(int value);
    void SetSeverity(int value);

    const std::string& Key() const { return key_; }
    const std::vector<std::string>& Params() const { return params_; }
    int Category() const { return category_; }
    int Severity() const { return severity_; }
    const TQnInfo& Info() const { return info_; }

private:
    std::uint8_t section_ = kSectionMessages;
    std::string key_;
    std::vector<std::string> params_;
    int category_ = 0;
    int severity_ = 0;
    // The entry as read, tags untouched; Info is rebuilt from it.
    TQnInfo text_;
    TQnInfo info_;
};

// The dialog texts as the last ShowKeyedMessage left them; each keeps its value
// until an entry sets it again, for the whole program run.
const TQnInfoTexts& QnInfoTexts();

// Sets the dialog texts from the controls entry Key (line 1: the title after
// the application title and " - ", 2: list caption, 3: list hint, 4: details
// caption, 5: OK caption; a missing line keeps its text; an empty Key keeps
// all), then shows Items as ShowInfoList does.
void ShowKeyedMessage(const std::string& key, const TQnInfos& items, int noMessageLine, TAlignment alignment);

// Shows Items in the message-list dialog. An empty list shows, when
// NoMessageLine is negative, the "QnNoMessages" entry in the program's message
// box (information icon, OK, centred), and nothing otherwise.
void ShowInfoList(const TQnInfos& items, int noMessageLine, TAlignment alignment);

}  // namespace cv

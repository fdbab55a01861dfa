#pragma once
// The plain lists of built messages that the message-list dialog shows, and the
// dialog's texts. Building a message from the language file is the language
// layer's work (keyed_messages.h); these types only carry the result.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace cv {

// One built message: a headline and its detail lines.
struct TQnInfo {
    TQnInfo() = default;
    TQnInfo(std::string headline, std::vector<std::string> lines)
        : Headline(std::move(headline)), Lines(std::move(lines)) {}

    std::string Headline;
    std::vector<std::string> Lines;
};

// A list of messages. It owns copies, so the builder that produced a message
// may be reused at once.
class TQnInfos {
public:
    // Appends a copy of Info.
    void Add(const TQnInfo& info) { items_.push_back(info); }
    void Clear() { items_.clear(); }
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const TQnInfo& operator[](std::size_t index) const { return items_.at(index); }
    const std::vector<TQnInfo>& Items() const { return items_; }

private:
    std::vector<TQnInfo> items_;
};

// The title and the four texts of the message-list dialog. An empty text leaves
// the dialog's own text in place (the application title for the title).
struct TQnInfoTexts {
    std::string InfoTitle;
    std::string InfoHeadLabel;
    std::string InfoListHint;
    std::string InfoDetailLabel;
    std::string InfoOkCaption;
};

// Title of the program's windows; the message-list title starts with it.
inline constexpr char kApplicationTitle[] = "Corvantis3";

}  // namespace cv

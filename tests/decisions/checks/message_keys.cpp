#include "tests/decisions/checks/message_keys.h"

#include <cctype>
#include <regex>
#include <string_view>

#include "core/language/translator.h"

namespace cv::test {

namespace {

constexpr const char* kCheckKeys[] = {
    "Err1Budget",       "ErrSlfAllocNot100", "ErrNoProdNoInv",     "ErrSellInvTooLarge", "ErrSegStrat0",
    "ErrSegStratNot100", "ErrPrice0",        "ErrDumping",         "DecPriceIncr",       "DecPriceDecr",
    "Warn1DistribDecs", "Warn2DistribDecs",  "Warn1Loan",          "Warn1BgtChg",        "WarnProNotUsed",
    "SlfDecsNotYetTaken", "StuDecsNotYetTaken", "BrdDecsNotYetTaken", "PrjDecsNotYetTaken", "MPErrSegSize0",
    "MPErrBrdSales0",   "MPErrBrdSalesGTProd", "MPErrChaSalesNot100", "MPErrSalesGTSize",  "NoMatchCct",
    "MissingCct",       "NoPrjFound",        "NoMatchPrj",         "BadLoanOrBgtChg",    "DecsNotYetTaken",
    "Err1DistribDecs",  "Err2DistribDecs",   "Err3DistribDecs",    "SlfBudgetLimit",     "AdvBudgetLimit"};

// The headline of Key as a pattern: its tags stand for any text.
std::regex HeadlinePattern(const std::string& key) {
    const std::string line = Translator->GetLine(kSectionMessages, key, 1);
    std::string pattern;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '@' && i + 1 < line.size() && std::isdigit(static_cast<unsigned char>(line[i + 1]))) {
            while (i + 1 < line.size() && std::isdigit(static_cast<unsigned char>(line[i + 1]))) ++i;
            pattern += ".*";
        } else if (std::string_view("\\^$.|?*+()[]{}").find(line[i]) != std::string_view::npos) {
            pattern += std::string("\\") + line[i];
        } else {
            pattern += line[i];
        }
    }
    return std::regex(pattern);
}

}  // namespace

std::vector<std::string> MessageKeys(const std::vector<TQnInfo>& messages) {
    std::vector<std::string> keys;
    for (const TQnInfo& info : messages) {
        std::string found = "?" + info.Headline;
        for (const char* key : kCheckKeys)
            if (std::regex_match(info.Headline, HeadlinePattern(key))) found = key;
        keys.push_back(found);
    }
    return keys;
}

}  // namespace cv::test

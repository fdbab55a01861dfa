#include "decisions/dialogs/budget_limit.h"

#include "core/base/errors.h"
#include "core/language/keyed_messages.h"
#include "core/session/fta_budget.h"

namespace cv {

namespace {

constexpr int kMessageCategory = 1;
constexpr int kMessageSeverity = 3;

}  // namespace

bool BudgetCarries(TFtaBudget& budget) {
    try {
        budget.Recalculate();
        return true;
    } catch (const EOverflowError&) {
        return false;
    } catch (const ERangeError&) {
        return false;
    }
}

std::int32_t LargestCarried(TFtaBudget& budget, std::int32_t high, const std::function<void(std::int32_t)>& write) {
    const auto carries = [&](std::int32_t value) {
        write(value);
        return BudgetCarries(budget);
    };
    if (carries(high)) return high;
    std::int32_t low = 0;
    if (!carries(low)) return -1;
    // Low is carried, High is not.
    while (high - low > 1) {
        const std::int32_t middle = low + (high - low) / 2;
        (carries(middle) ? low : high) = middle;
    }
    return low;
}

void ShowDecisionError(const std::string& key, const std::vector<std::string>& params) {
    TCVInfo info;
    info.SetKey(key);
    for (const std::string& param : params) info.AddParam(param);
    info.SetCategory(kMessageCategory);
    info.SetSeverity(kMessageSeverity);
    TQnInfos messages;
    messages.Add(info.Info());
    ShowKeyedMessage("cviDecError", messages, -1, TAlignment::taCenter);
}

}  // namespace cv

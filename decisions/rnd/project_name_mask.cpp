#include "decisions/rnd/project_name_mask.h"

#include "core/language/language_file.h"
#include "core/session/industry.h"
#include "decisions/dialogs/name_mask.h"
#include "model/rnd/mod_rnd.h"
#include "ui/cp1252.h"

namespace cv {

namespace {

constexpr char kBlank = '_';
constexpr int kFreePositions = 3;

}  // namespace

// A name that does not begin with the mask's two characters is not shown:
// forced into the mask it would read as another name, taken on a mere OK.
void SetProjectNameMask(QLineEdit& edit, const TModRnD& model, const std::string& name) {
    const std::string market = model.Data ? model.Data->MarketLabel(model.Context.SelMarket) : std::string();
    const char initial = market.empty() ? ' ' : market.front();
    const std::string prefix{'P', initial};
    SetNameMask(edit, prefix, kFreePositions,
                SameTextAscii(name.substr(0, prefix.size()), prefix) ? name : std::string());
}

std::string TypedProjectName(const QLineEdit& edit) {
    QString shown = edit.displayText();
    shown.replace(QChar::fromLatin1(kBlank), QChar::fromLatin1(' '));
    return QStringToCp1252(shown);
}

bool IsCompleteProjectName(const std::string& name) { return name.find(' ') == std::string::npos; }

}  // namespace cv

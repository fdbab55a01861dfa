#include "decisions/rnd/project_name_mask.h"

#include "core/language/language_file.h"
#include "core/session/industry.h"
#include "model/rnd/mod_rnd.h"
#include "ui/cp1252.h"

namespace cv {

namespace {

constexpr char kBlank = '_';

// A fixed character of the mask, escaped so that it never reads as a mask code.
QString Fixed(char c) { return QStringLiteral("\\") + QChar::fromLatin1(c); }

}  // namespace

// A name that does not begin with the mask's two characters is not shown:
// forced into the mask it would read as another name, taken on a mere OK.
void SetProjectNameMask(QLineEdit& edit, const TModRnD& model, const std::string& name) {
    const std::string market = model.Data ? model.Data->MarketLabel(model.Context.SelMarket) : std::string();
    const char initial = market.empty() ? ' ' : market.front();
    edit.setInputMask(Fixed('P') + Fixed(initial) + QStringLiteral(">nnn;") + QChar::fromLatin1(kBlank));
    const std::string prefix{'P', initial};
    edit.setText(SameTextAscii(name.substr(0, prefix.size()), prefix) ? Cp1252ToQString(name) : QString());
}

std::string TypedProjectName(const QLineEdit& edit) {
    QString shown = edit.displayText();
    shown.replace(QChar::fromLatin1(kBlank), QChar::fromLatin1(' '));
    return QStringToCp1252(shown);
}

bool IsCompleteProjectName(const std::string& name) { return name.find(' ') == std::string::npos; }

}  // namespace cv

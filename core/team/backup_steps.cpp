#include "core/team/backup_steps.h"

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/team/exchange_files.h"

namespace cv {
namespace {

constexpr char kBadOpenKey[] = "TeamBadOpen";
constexpr char kFileToken[] = "@FILE";

}  // namespace

bool SaveAndCloseIndustry(TSession& session, const std::function<void()>& beforeClose) {
    try {
        if (TCvInd* industry = session.Industry()) industry->SaveAll();
        if (beforeClose) beforeClose();
        session.IndClose();
    } catch (const ECvError& error) {
        Ui().CloseProgressBox();
        Ui().ShowErrorBox(error.what());
        return false;
    }
    return true;
}

bool WorkingCopyPresent(const std::string& workingCopy) {
    if (IsExistingFile(workingCopy)) return true;
    Ui().CloseProgressBox();
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kBadOpenKey, {0}, TAlignment::taLeftJustify);
    return false;
}

bool ReopenIndustry(TSession& session, const std::string& workingCopy) {
    return WorkingCopyPresent(workingCopy) && session.IndOpen(workingCopy);
}

std::string DamagedIndustryText(int line, const std::string& file) {
    const std::string text = Translator ? Translator->GetLine(kSectionMessages, kDamagedIndustryKey, line)
                                        : std::string(kDamagedIndustryKey);
    return ReplaceFirst(text, kFileToken, file);
}

void ShowDamagedIndustry(int line, const std::string& file) {
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, DamagedIndustryText(line, file), {-1}, TAlignment::taCenter);
}

void ShowProgressLine(const char* key, int line) {
    std::string text;
    if (Translator) Translator->MessagesLine(key, line, text);
    Ui().ShowProgressBox({text});
}

}  // namespace cv

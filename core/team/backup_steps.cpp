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
constexpr char kReasonToken[] = "@REASON";

std::string DamagedIndustryLine(int line) {
    return Translator ? Translator->GetLine(kSectionMessages, kDamagedIndustryKey, line)
                      : std::string(kDamagedIndustryKey);
}

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

std::string DamagedIndustryText(int line, const std::string& file, const std::string& reason) {
    const std::string text = ReplaceFirst(DamagedIndustryLine(line), kFileToken, file);
    if (reason.empty()) return text;
    return text + '\n' + ReplaceFirst(DamagedIndustryLine(kDamagedReasonLine), kReasonToken, reason);
}

void ShowDamagedIndustry(int line, const std::string& file, const std::string& reason) {
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, DamagedIndustryText(line, file, reason), {-1},
                        TAlignment::taCenter);
}

std::string ReasonNamingEntry(const std::string& reason, const std::string& staged, const std::string& entry) {
    return ReplaceFirst(reason, staged, entry);
}

void ShowProgressLine(const char* key, int line) {
    std::string text;
    if (Translator) Translator->MessagesLine(key, line, text);
    Ui().ShowProgressBox({text});
}

}  // namespace cv

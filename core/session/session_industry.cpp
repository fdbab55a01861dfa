// TSession: opening and closing the industry, and the restriction queries.

#include <filesystem>
#include <optional>

#include "core/store/industry_file.h"
#include "core/base/errors.h"
#include "core/base/file_routines.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/session/session.h"
#include "core/base/ui_services.h"

namespace cv {
namespace fs = std::filesystem;

namespace {

constexpr char kIndIncompleteKey[] = "IndIncomplete";
constexpr char kCannotAccess[] = "TSession.IndOpen: cannot access ";
constexpr char kIndVersionName[] = "IndVersion";

std::string WithoutTrailingSlash(const std::string& dir) {
    return dir.size() > 1 && dir.back() == '/' ? dir.substr(0, dir.size() - 1) : dir;
}

// FullPath as the directory holds it: a file sent from Windows may be spelled in any letter case.
std::optional<std::string> ExistingIndustryFile(const std::string& dir, const std::string& fullPath) {
    std::error_code error;
    if (fs::is_regular_file(fullPath, error)) return fullPath;
    const std::optional<std::string> found = ResolveFileNameCase(dir, fs::path(fullPath).filename().string());
    if (found && fs::is_regular_file(*found, error)) return found;
    return std::nullopt;
}

bool HasVolume(TVolSet& volumes, const TIndustryKeys& keys) {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    return volumes.VolumeGet(data, size, keys);
}

// An industry that a team can work on has its info volume and its series list;
// InitSeries checks the series themselves.
void CheckComplete(TCvInd& industry) {
    if (!HasVolume(industry.VolumeSet(), InfoVolumeKeys())) throw EDataError("the info volume is missing");
    if (!HasVolume(industry.VolumeSet(), SeriesVolumeKeys())) throw EDataError("the series list is missing");
}

// The industry of FullPath, opened and checked; nullptr, with the reason in the
// log, when any step fails. A refused industry is dropped without Close, so
// nothing is written to its file.
std::unique_ptr<TCvInd> OpenCompleteIndustry(const std::string& fullPath) {
    auto industry = std::make_unique<TCvInd>();
    try {
        industry->Open(std::string(kIndustrySignature), fullPath);
        CheckComplete(*industry);
        industry->InitSeries();
        return industry;
    } catch (const EFatalStop&) {
        throw;
    } catch (const ECvError& error) {
        LogFmt(0, "TSession.IndOpen: %s refused: %s", {fullPath, error.what()});
        return nullptr;
    }
}

}  // namespace

bool TSession::IndOpen(const std::string& fileName) {
    ++industryOpenings_;
    IndClose();
    ForecastDone = false;  // a forecast belongs to the industry just closed
    std::string dir, name, fullPath, ext;
    SplitFileName(fileName, dir, name, fullPath, ext);
    // A missing file is refused before anything is created: a new file could never be complete.
    const std::optional<std::string> existing = ExistingIndustryFile(dir, fullPath);
    std::unique_ptr<TCvInd> industry = existing ? OpenCompleteIndustry(*existing) : nullptr;
    if (!industry) {
        if (!existing) LogFmt(0, "TSession.IndOpen: no industry file %s", {fullPath});
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kIndIncompleteKey, {0}, TAlignment::taCenter);
        return false;
    }
    SplitFileName(*existing, dir, name, fullPath, ext);
    industry_ = std::move(industry);
    indVersion_ = industry_->ConstPart().GetSmallintDef(kCategoryIndustry, TDataContext{}, kIndVersionName, 0);
    SetIndustryNames(dir, name, fullPath, ext);
    EnterIndustryDir();
    return true;
}

void TSession::EnterIndustryDir() {
    const std::string dir = WithoutTrailingSlash(IndDir());
    std::error_code error;
    if (!fs::is_directory(dir, error)) fs::create_directories(dir, error);
    fs::current_path(dir, error);
    if (error) Ui().ShowPlainBox(kCannotAccess + dir);
}

void TSession::IndClose() {
    if (!industry_) return;
    industry_->Close();
    industry_.reset();
    indVersion_ = 0;
    ClearIndustryNames();
    std::error_code error;
    fs::current_path(WithoutTrailingSlash(RootDir()), error);
    if (error) LogFmt(0, "TSession.IndClose: cannot return to %s", {RootDir()});
}

bool TSession::IsRestrictEnabled(const std::string& category, const std::string& item) const {
    return !AdminView() && industry_ && industry_->RestrictEnabled(category, item);
}

bool TSession::IsRestrictHidden(const std::string& category, const std::string& item) const {
    return !AdminView() && industry_ && industry_->RestrictHidden(category, item);
}

}  // namespace cv

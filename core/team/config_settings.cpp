#include "core/team/config_settings.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/base/errors.h"
#include "core/base/file_routines.h"
#include "core/base/ini_file.h"
#include "core/language/language_file.h"
#include "core/language/translator.h"
#include "core/session/session.h"
#include "core/team/removable_drive.h"

namespace cv {

namespace fs = std::filesystem;

namespace {

constexpr char kLanguageListFile[] = "SIMLANG.INI";
constexpr char kCodesSection[] = "Codes";
constexpr char kNoLanguage[] = "None";
constexpr char kLanguageFileStem[] = "STRSTD";
constexpr char kSessionSection[] = "Session";
constexpr char kPrivateDirKey[] = "PrivateDir";
constexpr char kExchangeDirKey[] = "ExchangeDir";
constexpr char kLanguageKey[] = "Language";
constexpr char kIndustrySubdir[] = "Industry";
constexpr char kPermissionProbe[] = "TestPermissions.txt";
// The program root's own exchange directory.
constexpr char kRootExchangeName[] = "Exchange";

// The codes of the language files in Dir ("STRSTD.<code>", stem in any letter case), in name order.
std::vector<std::string> LanguageFileCodes(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        const std::size_t dot = name.find('.');
        if (dot != std::string::npos && dot + 1 < name.size() && SameTextAscii(name.substr(0, dot), kLanguageFileStem))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> codes;
    for (const std::string& name : names) codes.push_back(name.substr(name.find('.') + 1));
    return codes;
}

// Writes a setting; a settings file that cannot be written keeps the old value on disk.
template <typename Store>
void WriteIgnoringFailure(Store& store, const char* key, const std::string& value) {
    try {
        store.WriteString(kSessionSection, key, value);
    } catch (const EIniFileError&) {
    }
}

}  // namespace

std::vector<TLanguageChoice> InstalledLanguages(const std::string& programDir) {
    const TIniFile list(JoinFileName(programDir, kLanguageListFile));
    std::vector<TLanguageChoice> languages;
    for (const std::string& code : LanguageFileCodes(programDir)) {
        const std::string name = list.ReadString(kCodesSection, code, kNoLanguage);
        if (name != kNoLanguage && languages.size() < kMaxLanguages) languages.push_back({code, name});
    }
    return languages;
}

bool PrivateDirUsable(const std::string& dir) { return DirExistsOrCreatable(dir, kIndustrySubdir); }

bool ExchangeDirUsable(const std::string& dir) { return CanCreateFileIn(dir, kPermissionProbe); }

std::vector<std::string> WritableMountPoints(const std::vector<TMountedVolume>& volumes) {
    std::vector<std::string> mountPoints;
    for (const TMountedVolume& volume : volumes)
        if (volume.ready && !volume.readOnly) mountPoints.push_back(volume.rootPath);
    return mountPoints;
}

std::string ProposedExchangeDir(const std::string& rootDir, const std::vector<std::string>& mountPoints,
                                const std::string& sysBlockDir) {
    const std::string removable = FirstRemovableMountPoint(mountPoints, sysBlockDir);
    return removable.empty() ? WithTrailingSlash(rootDir) + kRootExchangeName + "/" : removable;
}

bool StoreDirectories(TQNSession& session, const std::string& privateDir, const std::string& exchangeDir) {
    const std::string previousPrivate = session.PrivateDir();
    // Directories typed on Windows ("A:\\") are kept in this platform's spelling.
    // A directory left as it was keeps its setting: one relative to the
    // program root, or none at all, stays so.
    const std::string exchange = WithTrailingSlash(LocalPathFromWindows(exchangeDir));
    if (exchange != session.ExchangeDir()) {
        session.SetExchangeDir(exchange);
        WriteIgnoringFailure(session.Settings(), kExchangeDirKey, session.ExchangeDir());
    }
    const std::string privateLocal = WithTrailingSlash(LocalPathFromWindows(privateDir));
    if (privateLocal != previousPrivate) {
        session.SetPrivateDir(privateLocal);
        WriteIgnoringFailure(session.Settings(), kPrivateDirKey, session.PrivateDir());
    }
    return session.PrivateDir() != previousPrivate;
}

bool SwitchLanguage(TQNSession& session, const std::string& code) {
    const std::string fileName = session.LanguageFile(code);
    if (!fs::is_regular_file(fileName)) return false;
    // The new file is tried aside first: one that cannot be opened leaves the old texts in place.
    try {
        TTranslate().Open(fileName);
        if (!Translator) Translator = std::make_unique<TTranslate>();
        Translator->Close();
        Translator->Open(fileName);
    } catch (const ECvError&) {
        return false;
    }
    session.SetLanguage(code);
    WriteIgnoringFailure(session.Registry(), kLanguageKey, code);
    return true;
}

}  // namespace cv

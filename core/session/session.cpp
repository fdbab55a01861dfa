#include "core/session/session.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

#include "core/base/errors.h"
#include "core/base/file_routines.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/ui_services.h"

namespace cv {

std::unique_ptr<TSession> Session;

namespace {

constexpr char kBinariesName[] = "Binaries";
constexpr char kPrivateName[] = "Private";
constexpr char kSessionSection[] = "Session";
constexpr char kPrivateDirKey[] = "PrivateDir";
constexpr char kExchangeDirKey[] = "ExchangeDir";
constexpr char kTestReadOnlyKey[] = "TestReadOnly";
constexpr char kNotReadOnly[] = "NotReadOnly";
constexpr char kLanguageKey[] = "Language";
constexpr char kPrivateDirNone[] = "None";
constexpr char kDefaultExchangeDir[] = "A:\\";
constexpr char kDefaultLanguage[] = "enu";
constexpr char kWinIniSection[] = "CV3";
constexpr char kDebugLevelKey[] = "DebugLevel";
constexpr char kSettingsExt[] = ".ini";
constexpr char kBadExeName[] = "Error: bad exe name";
constexpr char kWrongProgram[] = "Software compiled with incorrect options !!!";

// The instructor's and the other sibling programs: this build refuses to run under their names.
constexpr std::array<std::string_view, 5> kSiblingNames{"CV3ADM", "CV3ADMONLINE", "CV3PROT", "INDFORGE",
                                                        "TALVERQA"};

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::toupper(x) == std::toupper(y);
    });
}

// Offset in Dir of the first whole path component that reads "Binaries" in any
// letter case, and the component's own spelling; npos when there is none.
std::size_t FindBinariesComponent(const std::string& dir, std::string& spelling) {
    std::size_t start = 0;
    while (start < dir.size()) {
        std::size_t end = dir.find('/', start);
        if (end == std::string::npos) end = dir.size();
        const std::string_view component(dir.data() + start, end - start);
        if (SameNameIgnoringCase(component, kBinariesName)) {
            spelling = component;
            return start;
        }
        start = end + 1;
    }
    return std::string::npos;
}

// Dir + Name as the directory holds it: a copy from Windows may spell it in any letter case.
std::string ExistingSpelling(const std::string& dir, const std::string& name) {
    const std::optional<std::string> found = ResolveFileNameCase(dir, name);
    return found ? *found : JoinFileName(dir, name);
}

// A directory value of the settings file: an empty value counts as absent.
std::string ReadDirSetting(const TIniFile& settings, const char* key, const std::string& defaultValue) {
    const std::string value = settings.ReadString(kSessionSection, key, defaultValue);
    return value.empty() ? defaultValue : value;
}

}  // namespace

TQNSession::TQNSession(std::string exeFileName) : exeFileName_(std::move(exeFileName)) {}

void TQNSession::Init() {
    std::string exeDir, baseName, fullPath, ext;
    SplitFileName(exeFileName_, exeDir, baseName, fullPath, ext);
    FindDirectories(exeDir);
    settings_ = TIniFile(ExistingSpelling(rootDir_, baseName + kSettingsExt));
    registry_ = TRegistryIniFile(RegistryIniFileName(), kRegistryKey);
    ReadSettings();
}

void TQNSession::FindDirectories(const std::string& exeDir) {
    std::string binariesSpelling = kBinariesName;
    const std::size_t binaries = FindBinariesComponent(exeDir, binariesSpelling);
    if (binaries == std::string::npos) {
        Ui().ShowPlainBox(kBadExeName);
        rootDir_ = WithTrailingSlash(exeDir);
    } else {
        rootDir_ = WithTrailingSlash(exeDir.substr(0, binaries));
    }
    binDir_ = rootDir_ + binariesSpelling + "/";
    mediaDir_ = binDir_;
    textDir_ = binDir_;
}

// The writability probe writes its mark only when the settings do not hold it
// yet: a file that holds it and could be replaced is not rewritten at every start.
void TQNSession::ReadSettings() {
    settingsReadOnly_ = false;
    const bool marked = settings_.ReadString(kSessionSection, kTestReadOnlyKey, "") == kNotReadOnly;
    if (!marked || !settings_.CanBeReplaced()) {
        try {
            settings_.WriteString(kSessionSection, kTestReadOnlyKey, kNotReadOnly);
        } catch (const EIniFileError&) {
            settingsReadOnly_ = true;
        }
    }
    const std::string privateDir = ReadDirSetting(settings_, kPrivateDirKey, kPrivateDirNone);
    privateDir_ = privateDir == kPrivateDirNone ? WithTrailingSlash(ExistingSpelling(rootDir_, kPrivateName))
                                                : WithTrailingSlash(SettingsDirectory(rootDir_, privateDir));
    winIni_ = TIniFile(WinIniFileName());
    exchangeDir_ = WithTrailingSlash(
        SettingsDirectory(rootDir_, ReadDirSetting(settings_, kExchangeDirKey, kDefaultExchangeDir)));
    DebugLevel = winIni_.ReadInteger(kWinIniSection, kDebugLevelKey, 0);
    language_ = registry_.ReadString(kSessionSection, kLanguageKey, kDefaultLanguage).substr(0, kLanguageCodeMax);
}

void TQNSession::SetIndustryNames(const std::string& dir, const std::string& name, const std::string& fullPath,
                                  const std::string& ext) {
    indDir_ = dir;
    indName_ = name;
    indFullPath_ = fullPath;
    indExt_ = ext;
    indFileName_ = name + ext;
}

void TQNSession::ClearIndustryNames() { SetIndustryNames({}, {}, {}, {}); }

TSession::TSession(std::string exeFileName) : TQNSession(std::move(exeFileName)) {
    Init();
}

TSession::~TSession() {
    try {
        IndClose();
    } catch (const ECvError& error) {
        LogFmt(0, "TSession: the industry could not be saved at shutdown: %s", {error.what()});
    }
}

void TSession::Init() {
    TQNSession::Init();
    CheckSiblingName();
    ForecastDone = false;
}

void TSession::CheckSiblingName() const {
    std::string dir, baseName, fullPath, ext;
    SplitFileName(ExeFileName(), dir, baseName, fullPath, ext);
    for (const std::string_view sibling : kSiblingNames) {
        if (!SameNameIgnoringCase(baseName, sibling)) continue;
        Ui().ShowPlainBox(kWrongProgram);
        FatalStop("%s", {kWrongProgram});
    }
}

}  // namespace cv

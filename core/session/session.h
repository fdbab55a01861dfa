#pragma once
// The session: a single object alive for the whole run. It finds the program's
// directories, loads the settings, keeps whether the plan has been forecast,
// holds the open industry, and provides
// the everyday services: open and close an industry, fill in @-tokens in a
// text, answer the instructor's restriction bits.
//
// TQNSession is the directories-and-settings half; TSession builds the
// simulation's state and services on it. Only team mode exists in this
// program. Paths use '/', and directory texts end in '/'.

#include <cstdint>
#include <memory>
#include <string>

#include "core/store/data_context.h"
#include "core/base/ini_file.h"
#include "core/session/settings_paths.h"

namespace cv {

class TCvInd;

inline constexpr std::size_t kLanguageCodeMax = 8;

// The directories and settings of the program.
class TQNSession {
public:
    // Remembers the executable's full file name; Init works everything out.
    explicit TQNSession(std::string exeFileName);
    virtual ~TQNSession() = default;
    TQNSession(const TQNSession&) = delete;
    TQNSession& operator=(const TQNSession&) = delete;

    // Works out the directories from the executable's place and reads the
    // settings: the settings file beside "Binaries", the registry key, "WIN.INI".
    virtual void Init();

    const std::string& Language() const { return language_; }
    bool InstructorMode() const { return instructorMode_; }
    // While set, every restriction query says false and every study counts as
    // bought; the team program itself never sets it.
    bool AdminView() const { return adminView_; }
    void SetAdminView(bool on) { adminView_ = on; }
    const std::string& RootDir() const { return rootDir_; }
    const std::string& BinDir() const { return binDir_; }
    const std::string& MediaDir() const { return mediaDir_; }
    const std::string& TextDir() const { return textDir_; }
    // The language file of the language Code in the text directory ("STRSTD." + Code).
    std::string LanguageFile(const std::string& code) const { return textDir_ + "STRSTD." + code; }
    // The directories from the settings, translated from their Windows form; a
    // relative one lies in the program root (SettingsDirectory). A
    // drive-letter or network path (the default exchange directory "A:/") cannot
    // be reached here: its users test IsUnreachablePath and report it.
    const std::string& PrivateDir() const { return privateDir_; }
    const std::string& ExchangeDir() const { return exchangeDir_; }
    // The configuration dialog's choices, for the running session; the
    // directories get their trailing '/'.
    void SetPrivateDir(const std::string& dir) { privateDir_ = WithTrailingSlash(dir); }
    void SetExchangeDir(const std::string& dir) { exchangeDir_ = WithTrailingSlash(dir); }
    void SetLanguage(const std::string& code) { language_ = code.substr(0, kLanguageCodeMax); }

    const std::string& IndFullPath() const { return indFullPath_; }
    const std::string& IndDir() const { return indDir_; }
    const std::string& IndName() const { return indName_; }
    const std::string& IndExt() const { return indExt_; }
    const std::string& IndFileName() const { return indFileName_; }

    // The settings stores; the configuration dialog writes back through them.
    TIniFile& Settings() { return settings_; }
    const TIniFile& Settings() const { return settings_; }
    const TIniFile& WinIni() const { return winIni_; }
    TRegistryIniFile& Registry() { return registry_; }
    const TRegistryIniFile& Registry() const { return registry_; }
    bool SettingsReadOnly() const { return settingsReadOnly_; }

protected:
    const std::string& ExeFileName() const { return exeFileName_; }
    void SetIndustryNames(const std::string& dir, const std::string& name, const std::string& fullPath,
                          const std::string& ext);
    void ClearIndustryNames();

private:
    void FindDirectories(const std::string& exeDir);
    void ReadSettings();

    std::string exeFileName_;
    std::string language_;
    bool instructorMode_ = false;
    bool adminView_ = false;
    std::string rootDir_;
    std::string binDir_;
    std::string mediaDir_;
    std::string textDir_;
    std::string privateDir_;
    std::string exchangeDir_;
    std::string indFullPath_;
    std::string indDir_;
    std::string indName_;
    std::string indExt_;
    std::string indFileName_;
    TIniFile winIni_{""};
    TIniFile settings_{""};
    bool settingsReadOnly_ = false;
    TRegistryIniFile registry_{"", kRegistryKey};
};

// The session of the team workstation.
class TSession : public TQNSession {
public:
    // Creates the session and runs Init. An executable named like one of the
    // sibling programs shows "Software compiled with incorrect options !!!" and
    // raises EFatalStop, which ends the program.
    explicit TSession(std::string exeFileName = RunningExecutableFileName());
    // Closes the open industry (saving it); a failure is logged, never thrown.
    ~TSession() override;

    void Init() override;

    // Closes any open industry, then opens FileName as the session's Industry. The industry is built aside and handed over
    // only when every step succeeded: a missing, corrupt or incomplete file (no
    // info volume, no series list, a dimension series missing, a fourth zone or
    // market) is closed without writing anything and reported with the message
    // "IndIncomplete", and no industry is open afterwards. Then the industry's
    // directory becomes the current directory (created when missing).
    // Returns whether an industry is open.
    bool IndOpen(const std::string& fileName);
    // Saves and closes the open industry, forgets it and returns to RootDir.
    // Nothing happens without one. A save that fails raises its error and
    // leaves the industry open, so that nothing is lost.
    void IndClose();

    TCvInd* Industry() const { return industry_.get(); }
    // The open industry's "IndVersion" scalar, 0 if it has none.
    std::int32_t IndVersion() const { return indVersion_; }

    // Text with the first occurrence of each @-token replaced from Context and
    // the open industry; Text unchanged when no industry is open.
    std::string ExpandTokens(const std::string& text, const TDataContext& context) const;

    // Whether the instructor enabled / hid Item of Category; always false with
    // AdminView set or no industry open.
    bool IsRestrictEnabled(const std::string& category, const std::string& item) const;
    bool IsRestrictHidden(const std::string& category, const std::string& item) const;

    // True once the marketing plan was forecast for the open industry.
    bool ForecastDone = false;
    // How often IndOpen was called, whether or not the industry opened.
    std::uint32_t IndustryOpenings() const { return industryOpenings_; }

private:
    void CheckSiblingName() const;
    void EnterIndustryDir();

    std::unique_ptr<TCvInd> industry_;
    std::int32_t indVersion_ = 0;
    std::uint32_t industryOpenings_ = 0;
};

// The one session of the program: empty until the main window creates it.
extern std::unique_ptr<TSession> Session;

}  // namespace cv

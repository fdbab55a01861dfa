#pragma once
// What the configuration dialog reads and writes: the installed languages,
// the tests a chosen directory must pass, and the settings it stores.
// Display-free.

#include <string>
#include <vector>

#include "core/team/removable_drive.h"

namespace cv {

class TQNSession;

// At most this many languages are offered.
inline constexpr std::size_t kMaxLanguages = 15;

struct TLanguageChoice {
    std::string code;  // the language file's extension: "enu"
    std::string name;  // its name in "SIMLANG.INI" [Codes]
};

// The languages of ProgramDir: one per language file "STRSTD.<code>" (in name
// order) whose code "SIMLANG.INI" names; the first 15.
std::vector<TLanguageChoice> InstalledLanguages(const std::string& programDir);

// A private directory holds, or can take, the sub-directory "Industry".
bool PrivateDirUsable(const std::string& dir);
// A file can be created in an exchange directory (probed with a file of a
// unique name, so that no file of the team's is touched).
bool ExchangeDirUsable(const std::string& dir);

// A volume the system has mounted, as it reports it.
struct TMountedVolume {
    std::string rootPath;
    bool ready = false;  // valid and ready to be read
    bool readOnly = false;
};

// The root paths of the Volumes that can take files (ready, not read-only),
// in the system's order: the exchange is offered only where files can go.
std::vector<std::string> WritableMountPoints(const std::vector<TMountedVolume>& volumes);

// The exchange directory offered while the settings name none this platform
// reaches: the first removable drive of MountPoints (FirstRemovableMountPoint),
// else the program root's "Exchange" directory.
std::string ProposedExchangeDir(const std::string& rootDir, const std::vector<std::string>& mountPoints,
                                const std::string& sysBlockDir = DefaultSysBlockDir());

// Stores each directory that differs from Session's in Session and its
// settings file (a failed write is ignored: the value still holds for this
// run); one left as it was keeps its setting. True when the private directory
// changed.
bool StoreDirectories(TQNSession& session, const std::string& privateDir, const std::string& exchangeDir);

// Switches to Code's language file in the session's text directory: true when
// it exists and opened; the session and the registry then name Code. A
// missing file changes nothing.
bool SwitchLanguage(TQNSession& session, const std::string& code);

}  // namespace cv

#include "tools/sample_industry/sample_exchange.h"

#include <chrono>
#include <stdexcept>
#include <string>

#include "core/base/ini_file.h"
#include "core/session/team_password.h"
#include "core/zip/xceed_zip.h"
#include "tools/sample_industry/sample_files.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_teams.h"

namespace cv::sample {

namespace fs = std::filesystem;

namespace {

constexpr char kDescriptorSection[] = "Team";
constexpr fs::perms kEntryPermissions =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
// The date every archive entry carries: 1 January 2001, 12:00 UTC.
constexpr std::chrono::sys_seconds kEntryTime{std::chrono::sys_days{std::chrono::year{2001} / 1 / 1} +
                                              std::chrono::hours{12}};

fs::path SampleFile(const fs::path& directory, std::string_view extension) {
    return directory / (std::string(kIndustryName) + std::string(extension));
}

// The copy of the industry file that the archive stores, stamped so that it
// zips the same way every time.
void CopyEntryFile(const fs::path& industryFile, const fs::path& entryFile) {
    fs::copy_file(industryFile, entryFile, fs::copy_options::overwrite_existing);
    fs::permissions(entryFile, kEntryPermissions);
    fs::last_write_time(entryFile, std::chrono::file_clock::from_sys(kEntryTime));
}

int ZipEntry(const fs::path& entryFile, const fs::path& archive) {
    TXceedZip zip;
    zip.ZipFileName = archive.string();
    zip.FilesToProcess = {entryFile.string()};
    zip.UsePaths = false;
    return zip.Zip();
}

void WriteDescriptor(const fs::path& file, std::int32_t keyPwd, std::int16_t decisionPeriod = kDecisionPeriod) {
    TIniFile descriptor(file.string());
    descriptor.WriteString(kDescriptorSection, "KeyPwd", std::to_string(keyPwd));
    descriptor.WriteString(kDescriptorSection, "CurPer", std::to_string(decisionPeriod));
}

}  // namespace

fs::path WriteIndustryArchive(const fs::path& industryFile, const fs::path& directory) {
    const fs::path entryFile = SampleFile(directory, ".tmp");
    const fs::path archive = SampleFile(directory, ".rzx");
    CopyEntryFile(industryFile, entryFile);
    const int result = ZipEntry(entryFile, archive);
    fs::remove(entryFile);
    if (result != 0)
        throw std::runtime_error("cannot write " + archive.string() + ": zip result " + std::to_string(result));
    return archive;
}

std::vector<fs::path> WriteTeamDescriptors(const fs::path& directory, std::int16_t decisionPeriod) {
    std::vector<fs::path> descriptors;
    for (std::int16_t firm = 1; firm <= kFirmCount; ++firm) {
        const fs::path file = SampleFile(directory, ".mr" + std::string(TeamLetter(firm)));
        const std::int32_t keyPwd = TeamPasswordKey(firm);
        WriteReplacing(file, [keyPwd, decisionPeriod](const fs::path& partial) {
            WriteDescriptor(partial, keyPwd, decisionPeriod);
        });
        descriptors.push_back(file);
    }
    return descriptors;
}

fs::path WriteNoPasswordDescriptor(const fs::path& directory, std::int16_t firm) {
    const fs::path file = SampleFile(directory, ".mr" + std::string(TeamLetter(firm)));
    const std::int32_t keyPwd = TeamPasswordChecksum(kNoPasswordMarker);
    WriteReplacing(file, [keyPwd](const fs::path& partial) { WriteDescriptor(partial, keyPwd); });
    return file;
}

}  // namespace cv::sample

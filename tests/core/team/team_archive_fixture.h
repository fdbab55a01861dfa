#pragma once
// A session whose private directory holds team A's working copy of the sample
// ("SAMPLE.MTA", open) and its descriptor copy, with the exchange directory
// the test names; and what the tests read back from zip archives.

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/core/team/opening_fixture.h"
#include "tests/support/sent_files.h"

namespace cv::test {

class TeamArchiveFixture : public OpeningFixture {
protected:
    // Starts the session with ExchangeDir and opens the working copy.
    void Start(const std::string& exchangeDir);
    std::filesystem::path WorkingCopy() const { return Private() / "SAMPLE.MTA"; }
    std::filesystem::path DescriptorCopy() const { return Private() / "SAMPLE.mrA"; }
    std::vector<std::string> BoxKeys() const { return test::BoxKeys(ui); }
};

// Writes Entries (name in the archive, file whose bytes it holds), in order and
// under exactly those names (a name may come twice), stored, with Python's
// zipfile; the check sum of the entry WrongSumEntry, when given, is made wrong
// in both places the archive records it.
void WritePythonZip(const std::filesystem::path& archive,
                    const std::vector<std::pair<std::string, std::filesystem::path>>& entries,
                    const std::string& wrongSumEntry = {});

// Whether "unzip -t" accepts Archive.
bool UnzipAccepts(const std::filesystem::path& archive);
// Entry name -> bytes of Archive, read with Python's zipfile (after its own
// check of every entry); empty when it refuses the archive.
std::map<std::string, std::string> PythonZipEntries(const std::filesystem::path& archive);

}  // namespace cv::test

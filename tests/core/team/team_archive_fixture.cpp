#include "tests/core/team/team_archive_fixture.h"

#include <cstdlib>

#include "core/session/session.h"
#include "tests/support/temp_dir.h"

namespace cv::test {

namespace fs = std::filesystem;

namespace {

// Writes every entry of argv[1] into argv[2], each as a file named by the
// entry's position, and lists "position name" lines on stdout.
constexpr char kPythonExtract[] =
    "import sys, zipfile\n"
    "z = zipfile.ZipFile(sys.argv[1])\n"
    "if z.testzip() is not None: sys.exit(1)\n"
    "for i, n in enumerate(z.namelist()):\n"
    "    open(sys.argv[2] + '/' + str(i), 'wb').write(z.read(n))\n"
    "    print(i, n)\n";

// argv[1] the archive, argv[2] the entry whose check sum goes wrong, then
// pairs of entry name and source file. Local header: check sum at +14;
// central record: check sum at +16, local header's offset at +42.
constexpr char kPythonWrite[] =
    "import struct, sys, warnings, zipfile\n"
    "warnings.simplefilter('ignore')\n"
    "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
    "    for name, source in zip(sys.argv[3::2], sys.argv[4::2]):\n"
    "        z.writestr(name, open(source, 'rb').read())\n"
    "data = bytearray(open(sys.argv[1], 'rb').read())\n"
    "at = data.find(b'PK\\x01\\x02')\n"
    "while at >= 0:\n"
    "    length = struct.unpack_from('<H', data, at + 28)[0]\n"
    "    if sys.argv[2] and data[at + 46:at + 46 + length].decode() == sys.argv[2]:\n"
    "        struct.pack_into('<I', data, at + 16, 0x12345678)\n"
    "        struct.pack_into('<I', data, struct.unpack_from('<I', data, at + 42)[0] + 14, 0x12345678)\n"
    "    at = data.find(b'PK\\x01\\x02', at + 46)\n"
    "open(sys.argv[1], 'wb').write(data)\n";

int RunShell(const std::string& command) { return std::system(command.c_str()); }

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

void TeamArchiveFixture::Start(const std::string& exchangeDir) {
    StartSession(exchangeDir);
    fs::copy_file(SampleIndustryFile(), WorkingCopy());
    WriteFileBytes(DescriptorCopy(), "[Team]\r\nKeyPwd=1\r\nCurPer=3\r\n");
    ASSERT_TRUE(Session->IndOpen(WorkingCopy().string()));
}

void WritePythonZip(const fs::path& archive, const std::vector<std::pair<std::string, fs::path>>& entries,
                    const std::string& wrongSumEntry) {
    TempDir scratch;
    const fs::path script = scratch.path() / "write.py";
    WriteFileBytes(script, kPythonWrite);
    std::string command = "python3 " + Quoted(script) + " " + Quoted(archive) + " '" + wrongSumEntry + "'";
    for (const auto& [name, source] : entries) command += " '" + name + "' " + Quoted(source);
    ASSERT_EQ(RunShell(command), 0) << command;
}

bool UnzipAccepts(const fs::path& archive) { return RunShell("unzip -tqq " + Quoted(archive) + " >/dev/null 2>&1") == 0; }

std::map<std::string, std::string> PythonZipEntries(const fs::path& archive) {
    TempDir out;
    const fs::path script = out.path() / "extract.py";
    const fs::path listing = out.path() / "listing.txt";
    fs::create_directories(out.path() / "entries");
    WriteFileBytes(script, kPythonExtract);
    if (RunShell("python3 " + Quoted(script) + " " + Quoted(archive) + " " + Quoted(out.path() / "entries") + " >" +
                 Quoted(listing)) != 0)
        return {};
    std::map<std::string, std::string> entries;
    const std::string lines = ReadFileBytes(listing);
    for (std::size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = lines.substr(start, end - start);
        const std::size_t space = line.find(' ');
        entries[line.substr(space + 1)] = ReadFileBytes(out.path() / "entries" / line.substr(0, space));
    }
    return entries;
}

}  // namespace cv::test

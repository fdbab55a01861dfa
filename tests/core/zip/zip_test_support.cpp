#include "tests/core/zip/zip_test_support.h"

#include <archive.h>
#include <archive_entry.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

void Check(bool ok, archive* handle, const char* what) {
    if (!ok) throw std::runtime_error(std::string(what) + ": " + archive_error_string(handle));
}

}  // namespace

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

void WriteCraftedZip(const std::filesystem::path& archivePath, const std::vector<CraftedEntry>& entries,
                     const std::string& password, bool stored) {
    archive* writer = archive_write_new();
    Check(archive_write_set_format_zip(writer) == ARCHIVE_OK, writer, "format");
    if (stored) Check(archive_write_set_options(writer, "zip:compression=store") == ARCHIVE_OK, writer, "store");
    if (!password.empty()) {
        Check(archive_write_set_options(writer, "zip:encryption=zipcrypt") == ARCHIVE_OK, writer, "encryption");
        Check(archive_write_set_passphrase(writer, password.c_str()) == ARCHIVE_OK, writer, "passphrase");
    }
    Check(archive_write_open_filename(writer, archivePath.c_str()) == ARCHIVE_OK, writer, "open");
    for (const auto& crafted : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, crafted.name.c_str());
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_size(entry, static_cast<la_int64_t>(crafted.data.size()));
        Check(archive_write_header(writer, entry) == ARCHIVE_OK, writer, "header");
        archive_write_data(writer, crafted.data.data(), crafted.data.size());
        archive_entry_free(entry);
    }
    Check(archive_write_close(writer) == ARCHIVE_OK, writer, "close");
    archive_write_free(writer);
}

// End record: signature 0x06054b50, entry count at +10, directory offset at +16. Central header: signature 0x02014b50,
// flags +8, method +10, name length +28, extra length +30, comment length +32, name at +46.
std::vector<CentralEntry> CentralEntries(const std::filesystem::path& archive) {
    const std::string bytes = ReadFileBytes(archive);
    const std::size_t end = bytes.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos) throw std::runtime_error("no end of central directory");
    const std::uint32_t count = LittleEndian(bytes, end + 10, 2);
    std::size_t at = LittleEndian(bytes, end + 16, 4);
    std::vector<CentralEntry> entries;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (LittleEndian(bytes, at, 4) != 0x02014b50) throw std::runtime_error("bad central header");
        const std::size_t nameLength = LittleEndian(bytes, at + 28, 2);
        entries.push_back({bytes.substr(at + 46, nameLength), static_cast<int>(LittleEndian(bytes, at + 10, 2)),
                           (LittleEndian(bytes, at + 8, 2) & 1) != 0});
        at += 46 + nameLength + LittleEndian(bytes, at + 30, 2) + LittleEndian(bytes, at + 32, 2);
    }
    return entries;
}

std::vector<std::string> EntryNames(const std::filesystem::path& archive) {
    std::vector<std::string> names;
    for (const CentralEntry& entry : CentralEntries(archive)) names.push_back(entry.name);
    return names;
}

// Central record: check sum +16, compressed size +20, local-header offset +42. Local header: flags +6 (bit 3: a data
// descriptor, optionally signed 0x08074b50, follows the data), check sum +14, name and extra lengths +26 and +28.
void SetEntrySum(const std::filesystem::path& archive, const std::string& name, std::uint32_t sum) {
    std::string bytes = ReadFileBytes(archive);
    const auto put = [&bytes, sum](std::size_t at) {
        for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<char>(sum >> (8 * i));
    };
    const std::size_t end = bytes.rfind(std::string("PK\x05\x06", 4));
    std::size_t at = LittleEndian(bytes, end + 16, 4);
    for (std::uint32_t i = 0, count = LittleEndian(bytes, end + 10, 2); i < count; ++i) {
        const std::size_t nameLength = LittleEndian(bytes, at + 28, 2);
        if (bytes.substr(at + 46, nameLength) == name) {
            put(at + 16);
            const std::size_t local = LittleEndian(bytes, at + 42, 4);
            put(local + 14);
            if ((LittleEndian(bytes, local + 6, 2) & 8) != 0) {
                std::size_t descriptor = local + 30 + LittleEndian(bytes, local + 26, 2) +
                                         LittleEndian(bytes, local + 28, 2) + LittleEndian(bytes, at + 20, 4);
                if (LittleEndian(bytes, descriptor, 4) == 0x08074b50) descriptor += 4;
                put(descriptor);
            }
        }
        at += 46 + nameLength + LittleEndian(bytes, at + 30, 2) + LittleEndian(bytes, at + 32, 2);
    }
    WriteFileBytes(archive, bytes);
}

std::string PatternBytes(std::size_t size, std::uint32_t seed) {
    std::string bytes(size, '\0');
    for (auto& byte : bytes) {
        seed = seed * 134775813u + 1u;
        byte = static_cast<char>(seed >> 24);
    }
    return bytes;
}

std::vector<std::string> FilesUnder(const std::filesystem::path& root) {
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root))
        if (item.is_regular_file() && !item.is_symlink())
            files.push_back(item.path().lexically_relative(root).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
}

bool ToolAvailable(const std::string& tool) { return RunCommand("command -v " + tool + " >/dev/null 2>&1") == 0; }

}  // namespace cv::test

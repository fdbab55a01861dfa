#pragma once
// Helpers of the zip tests: archives crafted entry by entry (including names that the engine must refuse), a reader
// of the archive's central directory, deterministic file contents and the outside zip tools.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace cv::test {

struct CraftedEntry {
    std::string name;
    std::string data;
};

// Writes Entries, in order and under exactly their names, as a zip archive;
// traditional encryption with a non-empty Password; Stored: without compression.
void WriteCraftedZip(const std::filesystem::path& archive, const std::vector<CraftedEntry>& entries,
                     const std::string& password = {}, bool stored = false);

struct CentralEntry {
    std::string name;
    int method = 0;           // 0 stored, 8 deflated
    bool encrypted = false;   // general-purpose flag bit 0
};

// The entries listed by the central directory of the zip archive Archive, and their names.
std::vector<CentralEntry> CentralEntries(const std::filesystem::path& archive);
std::vector<std::string> EntryNames(const std::filesystem::path& archive);

// Writes Sum as the check sum of the entry Name of Archive wherever the archive
// records it: its central record, its local header and any data descriptor.
void SetEntrySum(const std::filesystem::path& archive, const std::string& name, std::uint32_t sum);

// The little-endian unsigned field of Width bytes at At.
std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int width);

// Size bytes of a fixed pseudo-random sequence (all byte values occur).
std::string PatternBytes(std::size_t size, std::uint32_t seed);

// Every regular file under Root, as paths relative to it, sorted.
std::vector<std::string> FilesUnder(const std::filesystem::path& root);

// Runs a shell command; its exit status (-1 when it could not run).
int RunCommand(const std::string& command);
bool ToolAvailable(const std::string& tool);

}  // namespace cv::test

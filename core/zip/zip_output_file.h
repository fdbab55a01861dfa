#pragma once
// A file that replaces its target only once it is whole: written under a
// temporary name, synced, then renamed over the target. Until then the
// target, if any, is untouched; a file that is not committed is removed.

#include <cstddef>
#include <filesystem>

namespace cv {

class TZipOutputFile {
public:
    TZipOutputFile() = default;
    TZipOutputFile(const TZipOutputFile&) = delete;
    TZipOutputFile& operator=(const TZipOutputFile&) = delete;
    ~TZipOutputFile();

    // Creates the temporary file in WorkDirectory, or beside Target when
    // WorkDirectory is empty, after removing from there the temporaries of
    // Target that processes killed while writing left. False when it cannot
    // be created.
    bool Create(const std::filesystem::path& target, const std::filesystem::path& workDirectory = {});
    // Descriptor of the open temporary file, for writers that take one.
    int Descriptor() const { return descriptor_; }
    bool Write(const char* data, std::size_t size);
    // Syncs and closes the temporary file and moves it over the target (by way
    // of a copy beside the target when it was built on another file system).
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();
    // Whether the last Create, Write or Commit failed for want of space on the
    // disk (or of the user's share of it).
    bool DiskFull() const { return diskFull_; }

private:
    bool CloseSynced();
    bool MoveOverTarget();
    bool CopyOverTarget();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    bool diskFull_ = false;
};

}  // namespace cv

#pragma once
// The POSIX file under a volume set: whole-range positioned reads and writes,
// sync, truncate. Every call answers an errno-style code (0 = done) instead of
// raising, so that the volume set can name the file and the step in its error.
//
// Tests reach the write path through a fault hook: it runs before every write,
// sync and truncate and may refuse the call with an error code (a full disk)
// or throw (a crash at that point: the call and everything after it never
// happen).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace cv {

enum class TVolFileOp { Write, Sync, Truncate };

// Answers 0 to let the call run, or an errno value that the call then returns.
using TVolFileFaultHook = std::function<int(TVolFileOp op, std::int64_t offset, std::size_t size)>;

// Installs Hook for every TVolFile of the process; an empty hook removes it.
void SetVolFileFaultHook(TVolFileFaultHook hook);

class TVolFile {
public:
    enum class TMode { ReadOnly, ReadWrite, CreateTruncate };

    TVolFile() = default;
    TVolFile(const TVolFile&) = delete;
    TVolFile& operator=(const TVolFile&) = delete;
    ~TVolFile();

    int Open(const std::string& name, TMode mode);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Reads up to Size bytes at Offset; Got receives how many were read (fewer
    // only at the end of the file).
    int ReadAt(std::int64_t offset, void* data, std::size_t size, std::size_t& got) const;
    // Writes all Size bytes at Offset.
    int WriteAt(std::int64_t offset, const void* data, std::size_t size);
    int Sync();
    int Truncate(std::int64_t size);
    int Size(std::int64_t& size) const;

private:
    int fd_ = -1;
};

}  // namespace cv

#pragma once
// Text files opened and closed with a readable error.

#include <cstdio>
#include <string>

namespace cv {

// A text file bound to a name; open in one mode at a time.
class TTextFile {
public:
    TTextFile() = default;
    TTextFile(const TTextFile&) = delete;
    TTextFile& operator=(const TTextFile&) = delete;
    ~TTextFile();

    bool IsOpen() const { return handle_ != nullptr; }
    const std::string& Name() const { return name_; }
    // Writes Text; false after a write error.
    bool Write(const std::string& text);
    // Forces the file's buffer to disk.
    bool Flush();

private:
    friend bool OpenTextFile(TTextFile&, const std::string&, int, bool);
    friend bool CloseTextFile(TTextFile&);
    std::FILE* handle_ = nullptr;
    std::string name_;
    bool cutAtClose_ = false;
};

enum TextFileMode { tfmRead = 1, tfmWrite = 2, tfmAppend = 3, tfmRewrite = 4 };

// Binds F to Name and opens it: 1 reading, 2 create or replace for writing,
// 3 appending, 4 writing over an existing file from its start, the file cut
// to what was written when it is closed (a file rewritten often, such as a
// log, then never waits for the release of its old blocks); any other mode
// only binds the name. On failure returns false and,
// when ShowError is set, shows "Cannot open text file <Name> in mode <M> error=<code>".
bool OpenTextFile(TTextFile& f, const std::string& name, int mode, bool showError);

// Closes F; on failure writes "Cannot close text file error=<code>" to standard output.
bool CloseTextFile(TTextFile& f);

}  // namespace cv

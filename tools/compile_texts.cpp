// compile_texts OUTPUT SOURCE...: compiles the language-file sources (one UTF-8
// file per section, texts/README.md) into the language file OUTPUT. A fault
// names the source and its line; OUTPUT is then left as it was.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/base/errors.h"
#include "core/language/text_source.h"

namespace {

bool ReadWholeFile(const std::string& fileName, std::string& text) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: compile_texts OUTPUT SOURCE...\n");
        return 2;
    }
    std::vector<cv::TTextSource> sources;
    for (int i = 2; i < argc; ++i) {
        cv::TTextSource source{argv[i], {}};
        if (!ReadWholeFile(source.fileName, source.text)) {
            std::fprintf(stderr, "compile_texts: %s: cannot be read\n", argv[i]);
            return 1;
        }
        sources.push_back(std::move(source));
    }
    try {
        cv::CompileLanguageFile(sources, argv[1]);
    } catch (const cv::ECvError& error) {
        std::fprintf(stderr, "compile_texts: %s\n", error.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "compile_texts: %s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}

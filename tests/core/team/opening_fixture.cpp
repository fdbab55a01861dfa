#include "tests/core/team/opening_fixture.h"

#include <cstdint>

#include "core/language/translator.h"
#include "core/session/session.h"
#include "tests/support/sent_files.h"

namespace cv::test {

namespace fs = std::filesystem;

OpeningFixture::OpeningFixture() {
    fs::create_directories(Private());
    CopySentFiles(Exchange());
    Translator = std::make_unique<TTranslate>();
    Translator->Open(CV_LANGUAGE_FILE);
}

OpeningFixture::~OpeningFixture() {
    Session.reset();
    Translator.reset();
}

fs::path OpeningFixture::SampleIndustryFile() { return SampleSentFiles().industry; }

std::map<std::string, std::string> OpeningFixture::PrivateChecksums() const {
    std::map<std::string, std::string> sums;
    for (const auto& item : fs::recursive_directory_iterator(Private())) {
        const std::string name = item.path().lexically_relative(Private()).string();
        if (item.is_directory()) {
            sums[name] = "dir";
            continue;
        }
        // FNV-1a, 64 bits.
        std::uint64_t sum = 14695981039346656037ull;
        for (const char byte : ReadFileBytes(item.path())) sum = (sum ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
        sums[name] = std::to_string(sum);
    }
    return sums;
}

void OpeningFixture::StartSession(const std::string& exchangeDir) {
    WriteFileBytes(tree_.RootPath() / "cv3team.ini", "[Session]\r\nExchangeDir=" + exchangeDir + "\r\n");
    Session = std::make_unique<TSession>(tree_.Exe());
}

}  // namespace cv::test

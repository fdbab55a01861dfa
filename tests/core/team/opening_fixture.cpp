#include "tests/core/team/opening_fixture.h"

#include "core/language/translator.h"
#include "core/session/session.h"
#include "tests/support/directory_checksums.h"
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

std::map<std::string, std::string> OpeningFixture::PrivateChecksums() const { return DirectoryChecksums(Private()); }

void OpeningFixture::StartSession(const std::string& exchangeDir) {
    WriteFileBytes(tree_.RootPath() / "cv3team.ini", "[Session]\r\nExchangeDir=" + exchangeDir + "\r\n");
    Session = std::make_unique<TSession>(tree_.Exe());
}

}  // namespace cv::test

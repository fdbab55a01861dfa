#include "tests/shell/exchange/opening_fixture.h"

#include "core/language/translator.h"
#include "core/session/session.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

namespace fs = std::filesystem;

namespace {

// The sample is written once per run: the model makes its history.
const sample::TSampleFiles& SentFiles() {
    static TempDir directory;
    static const sample::TSampleFiles files = sample::WriteSampleIndustry(directory.path());
    return files;
}

}  // namespace

OpeningFixture::OpeningFixture() {
    fs::create_directories(Exchange());
    fs::create_directories(Private());
    fs::copy_file(SentFiles().archive, Exchange() / SentFiles().archive.filename());
    for (const fs::path& descriptor : SentFiles().descriptors)
        fs::copy_file(descriptor, Exchange() / descriptor.filename());
    Translator = std::make_unique<TTranslate>();
    Translator->Open(CV_LANGUAGE_FILE);
}

OpeningFixture::~OpeningFixture() {
    Session.reset();
    Translator.reset();
}

fs::path OpeningFixture::SampleIndustryFile() { return SentFiles().industry; }

void OpeningFixture::StartSession(const std::string& exchangeDir) {
    WriteFileBytes(tree_.RootPath() / "cv3team.ini", "[Session]\r\nExchangeDir=" + exchangeDir + "\r\n");
    Session = std::make_unique<TSession>(tree_.Exe());
}

}  // namespace cv::test

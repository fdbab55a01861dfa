#include "tests/ui/support/language_fixture.h"

namespace cv::test {

LanguageFixture::LanguageFixture(const std::vector<TTextSource>& sources, bool installAsProgramTranslator)
    : installed_(installAsProgramTranslator) {
    const std::string file = dir_ / "STRSTD.enu";
    CompileLanguageFile(sources, file);
    auto translator = std::make_unique<TTranslate>();
    translator->Open(file);
    texts_ = translator.get();
    if (installed_) {
        previousProgramTranslator_ = std::move(Translator);
        Translator = std::move(translator);
    } else {
        owned_ = std::move(translator);
    }
}

LanguageFixture::~LanguageFixture() {
    if (installed_) Translator = std::move(previousProgramTranslator_);
}

}  // namespace cv::test

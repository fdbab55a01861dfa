#pragma once
// A language file compiled from the given section sources into a temporary
// directory and opened; installed as the program's translator for the
// object's lifetime when asked.

#include <memory>
#include <string>
#include <vector>

#include "core/language/text_source.h"
#include "core/language/translator.h"
#include "tests/support/temp_dir.h"

namespace cv::test {

class LanguageFixture {
public:
    explicit LanguageFixture(const std::vector<TTextSource>& sources, bool installAsProgramTranslator = false);
    ~LanguageFixture();
    LanguageFixture(const LanguageFixture&) = delete;
    LanguageFixture& operator=(const LanguageFixture&) = delete;

    TTranslate& Texts() { return *texts_; }

private:
    TempDir dir_;
    TTranslate* texts_;
    std::unique_ptr<TTranslate> owned_;
    std::unique_ptr<TTranslate> previousProgramTranslator_;
    bool installed_;
};

}  // namespace cv::test

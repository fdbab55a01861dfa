#include "tests/decisions/checks/sample_decisions.h"

#include "tests/decisions/checks/message_keys.h"

#include "core/base/numbers.h"

#include "core/language/translator.h"
#include "core/store/cv_data.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/core/language/translator_test_files.h"
#include "tools/sample_industry/sample_industry.h"
#include "tools/sample_industry/sample_layout.h"

namespace cv::test {

namespace {

TempDir* gSuiteDir = nullptr;
std::filesystem::path gSampleFile;

}  // namespace

void SampleDecisions::SetUpTestSuite() {
    gSuiteDir = new TempDir;
    gSampleFile = sample::WriteSampleIndustryFile(
        gSuiteDir->path() / "sample", {sample::TSampleDecisions::Complete, sample::TSampleRestrictions::None});
    std::vector<TTextSource> sources;
    for (const auto& entry : std::filesystem::directory_iterator(CV_TEXTS_DIR)) {
        if (entry.path().extension() != ".txt" || entry.path().filename() == "CMakeLists.txt") continue;
        sources.push_back({entry.path().string(), ReadFileBytes(entry.path())});
    }
    Translator = std::make_unique<TTranslate>();
    Translator->Open(CompileTexts(*gSuiteDir, sources));
}

void SampleDecisions::TearDownTestSuite() {
    Translator.reset();
    delete gSuiteDir;
    gSuiteDir = nullptr;
}

void SampleDecisions::SetUp() {
    dir_ = std::make_unique<TempDir>();
    const std::filesystem::path copy = dir_->path() / gSampleFile.filename();
    std::filesystem::copy_file(gSampleFile, copy);
    industry_ = std::make_unique<TCvInd>();
    industry_->Open(std::string(kIndustrySignature), copy.string());
    industry_->InitSeries();
}

void SampleDecisions::TearDown() {
    industry_->Close();
    industry_.reset();
    dir_.reset();
}

TCvPerData& SampleDecisions::NewDecs() { return industry_->PerDecisions(sample::kDecisionPeriod); }

TDataContext SampleDecisions::Context(int zone, int market) {
    TDataContext context;
    context.SelFirm = sample::kHomeFirm;
    context.SelFta = static_cast<std::int16_t>(zone);
    context.SelMarket = static_cast<std::int16_t>(market);
    context.CurPeriod = sample::kCurrentPeriod;
    context.DecPeriod = sample::kDecisionPeriod;
    return context;
}

TSimArr& SampleDecisions::Decision(std::string_view name, int category, int zone, int market) {
    TSimArr* array = NewDecs().FindSimArr(category, Context(zone, market), name);
    if (array == nullptr) throw std::logic_error("the sample's decisions hold no " + std::string(name));
    return *array;
}

void SampleDecisions::Restrict(std::string_view array, std::string_view category, std::string_view item) {
    const TSeries* categories = industry_->FindSeries("RestrictCateg");
    const TSeries* items = industry_->FindSeries(category);
    ASSERT_TRUE(categories && items);
    TSimArr* words = industry_->ConstPart().FindSimArr(kCategoryIndustry, TDataContext{}, array);
    ASSERT_NE(words, nullptr);
    const std::int16_t word = categories->IndexOf(category);
    words->SetWord({word}, SetWordBit(words->GetWord({word}), items->IndexOf(item)));
}

std::vector<std::string> SampleDecisions::Keys(const TQnInfos& messages) { return MessageKeys(messages.Items()); }

}  // namespace cv::test

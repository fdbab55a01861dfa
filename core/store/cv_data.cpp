#include "core/store/cv_data.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/store/industry_series.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/base/text_format.h"
#include "core/base/ui_services.h"

namespace cv {

namespace {

constexpr std::string_view kAllOrOneMktName = "AllOrOneMkt";
constexpr std::string_view kAllMarketsLabel = "AllMkts";
// GetCellSeries's answer of GetSmallintDef when the constant part lacks the position.
constexpr std::int16_t kNoPosition = INT16_MIN;
// The decision and default-decision sets of this period are written to the log when loaded.
constexpr int kLoggedSetPeriod = 1;

// The data category of a cell series; an unknown name is reported and read as the industry's.
int SeriesCategory(std::string_view seriesName) {
    if (const std::optional<int> category = CellSeriesCategory(seriesName)) return *category;
    Ui().ShowPlainBox("*** ERROR: unknown series " + std::string(seriesName));
    return kCategoryIndustry;
}

// The file part of FileName up to its first dot.
std::string IndustryNameOf(const std::string& fileName) {
    const std::string file = std::filesystem::path(fileName).filename().string();
    return file.substr(0, file.find('.'));
}

bool FileExists(const std::string& fileName) {
    std::error_code error;
    return std::filesystem::exists(fileName, error);
}

[[noreturn]] void FailVolume(const TVolSet& volumes, std::string_view what, const std::exception& error) {
    throw EDataError(FormatText("Industry file %s, %s: %s", {volumes.FileName(), what, error.what()}));
}

void CheckPeriod(int period, int first, int last) {
    if (period < first || period > last) throw ERangeError();
}

}  // namespace

TCvData::TCvData(TVolSetClock clock)
    : clock_(std::move(clock)),
      constPart_(std::make_unique<TCvPerData>(vtConstant, kConstantPeriod)),
      volumes_(std::make_unique<TVolSet>(clock_)) {
    BuildAllOrOneMkt();
}

TCvData::~TCvData() { ForgetSeriesIndexes(); }

// ---- Open and close ----

void TCvData::Open(const std::string& signature, const std::string& fileName) {
    if (IsOpen()) RaiseVolSetError(fileName_, "the industry is already open");
    signature_ = signature;
    fileName_ = fileName;
    industryName_ = IndustryNameOf(fileName);
    OpenFile();
    try {
        for (auto& set : defaults_) set.reset();
        for (auto& set : decisions_) set.reset();
        for (auto& set : results_) set.reset();
        ReadInfo();
        ReadSeriesList();
        auto constPart = std::make_unique<TCvPerData>(vtConstant, kConstantPeriod);
        constPart->LoadFromVolSet(*volumes_);
        constPart_ = std::move(constPart);
        AttachSeries();
    } catch (...) {
        // The file was only read: dropping the set leaves it as it was.
        ForgetSeriesIndexes();
        volumes_ = std::make_unique<TVolSet>(clock_);
        throw;
    }
}

void TCvData::OpenFile() {
    if (FileExists(fileName_)) {
        volumes_->OpenReadWrite(fileName_);
        return;
    }
    volumes_->Create(fileName_, signature_);
    try {
        for (const TIndustryKey& key : kIndustryKeys) volumes_->AddKey(std::string(key.name), key.low, key.high);
        volumes_->Flush();  // a valid empty industry file from the start
    } catch (...) {
        volumes_ = std::make_unique<TVolSet>(clock_);
        throw;
    }
}

void TCvData::ReadSeriesList() {
    ForgetSeriesIndexes();  // the table must not point at series about to be freed
    perSeries_ = firSeries_ = ftaSeries_ = mktSeries_ = nullptr;
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    if (!volumes_->VolumeGet(data, size, SeriesVolumeKeys())) {
        seriesList_.Clear();
        return;
    }
    std::uint16_t pos = 0;
    try {
        seriesList_.ReadFromBuffer(TGetBuf(data, size), pos);
    } catch (const EDataError& error) {
        FailVolume(*volumes_, "series list volume", error);
    } catch (const EOverflowError& error) {
        FailVolume(*volumes_, "series list volume", error);
    }
}

// Looks up the series of the period, firm, zone and market dimensions, builds
// "AllOrOneMkt" and fills the series-index table from the list.
void TCvData::AttachSeries() {
    perSeries_ = firSeries_ = ftaSeries_ = mktSeries_ = nullptr;
    if (seriesList_.Count() > 0) {  // a new industry has no series to look up yet
        TDataContext context;
        context.SelPeriod = curPeriod_;
        // Silent: an industry that lacks one is refused by its opener, in one message.
        perSeries_ = FindCellSeries(*constPart_, seriesList_, "PerSeries", context);
        firSeries_ = FindCellSeries(*constPart_, seriesList_, "FirSeries", context);
        ftaSeries_ = FindCellSeries(*constPart_, seriesList_, "FtaSeries", context);
        mktSeries_ = FindCellSeries(*constPart_, seriesList_, "MktSeries", context);
    }
    BuildAllOrOneMkt();
    InitSeriesIndexes(seriesList_);
}

void TCvData::BuildAllOrOneMkt() {
    allOrOneMkt_.Assign(mktSeries_ != nullptr ? *mktSeries_ : TSeries());
    allOrOneMkt_.SetName(kAllOrOneMktName);
    allOrOneMkt_.InsertLabel(0, kAllMarketsLabel);
}

void TCvData::ForgetSeriesIndexes() const {
    for (std::size_t i = 0; i < kIndexedSeriesCount; ++i) {
        const TSeries* indexed = IndexedSeries(static_cast<TIndexedSeries>(i));
        if (indexed == nullptr) continue;
        for (int position = 0; position < seriesList_.Count(); ++position) {
            if (seriesList_.GetSeries(position) == indexed) {
                ResetSeriesIndexes();
                return;
            }
        }
    }
}

void TCvData::Close() {
    Save(kSaveAll);
    volumes_->Close();
    ForgetSeriesIndexes();
}

// ---- Saving ----

void TCvData::Save(std::uint16_t flags) {
    if (flags == 0) return;
    WriteInfo();
    if ((flags & kSaveSeries) != 0 && seriesList_.Modified()) WriteSeriesList();
    if ((flags & kSaveConstant) != 0) constPart_->SaveToVolSet(*volumes_);
    if ((flags & kSaveDecisions) != 0) SaveSets(decisions_, kFirstDecisionPeriod);
    if ((flags & kSaveDefaults) != 0) SaveSets(defaults_, kFirstDecisionPeriod);
    if ((flags & kSaveResults) != 0) SaveSets(results_, kFirstResultPeriod);
}

template <class Sets>
void TCvData::SaveSets(const Sets& sets, int firstPeriod) const {
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const int period = firstPeriod + static_cast<int>(i);
        if (period > kLastStoredPeriod) break;  // period 13 lives in memory only
        if (sets[i]) sets[i]->SaveToVolSet(*volumes_);
    }
}

void TCvData::SaveAll() {
    Save(kSaveAll);
    volumes_->Flush();
}

void TCvData::SaveDecisions() {
    Save(kSaveDecisions);
    volumes_->Flush();
}

void TCvData::WriteSeriesList() {
    std::vector<std::uint8_t> buffer(kBufSize);
    std::uint16_t pos = 0;
    seriesList_.WriteToBuffer(buffer, pos);
    volumes_->VolumeSet(buffer.data(), pos, SeriesVolumeKeys());
}

// Stored only when it differs from the file's, so that saving an unchanged industry writes nothing.
void TCvData::WriteInfo() {
    std::vector<std::uint8_t> buffer(kInfoVolumeSize);
    std::uint16_t pos = 0;
    BufPutByte(buffer, pos, kInfoTagPeriod);
    BufPutWord(buffer, pos, static_cast<std::uint16_t>(curPeriod_));
    BufPutByte(buffer, pos, kInfoTagScenario);
    BufPutShortStr(buffer, pos, scenarioName_, kScenarioNameSlot);
    BufPutByte(buffer, pos, kInfoTagEnd);
    const std::uint8_t* stored = nullptr;
    std::uint16_t size = 0;
    if (volumes_->VolumeGet(stored, size, InfoVolumeKeys()) && size == pos && std::equal(stored, stored + size, buffer.data()))
        return;
    volumes_->VolumeSet(buffer.data(), pos, InfoVolumeKeys());
}

void DecodeInfoVolume(TGetBuf buf, std::int16_t& period, std::string& scenario) {
    std::uint16_t pos = 0;
    for (std::uint8_t tag = BufGetByte(buf, pos); tag != kInfoTagEnd; tag = BufGetByte(buf, pos)) {
        if (tag == kInfoTagPeriod) period = static_cast<std::int16_t>(BufGetWord(buf, pos));
        if (tag == kInfoTagScenario) scenario = BufGetShortStr(buf, pos);
    }
}

void TCvData::ReadInfo() {
    const std::uint8_t* data = nullptr;
    std::uint16_t size = 0;
    if (!volumes_->VolumeGet(data, size, InfoVolumeKeys())) return;
    std::int16_t period = curPeriod_;
    std::string scenario = scenarioName_;
    try {
        DecodeInfoVolume(TGetBuf(data, size), period, scenario);
    } catch (const EDataError& error) {
        FailVolume(*volumes_, "info volume", error);
    } catch (const EOverflowError& error) {
        FailVolume(*volumes_, "info volume", error);
    }
    curPeriod_ = period;
    scenarioName_ = scenario;
}

void TCvData::SetScenarioName(std::string_view name) { scenarioName_ = name.substr(0, kScenarioNameSlot); }

// ---- Sets ----

TCvPerData& TCvData::LoadedSet(std::unique_ptr<TCvPerData>& slot, TVolType what, int period) {
    if (slot) return *slot;
    auto set = std::make_unique<TCvPerData>(what, static_cast<std::int16_t>(period));
    if (volumes_->IsOpen()) set->LoadFromVolSet(*volumes_);
    if (period == kLoggedSetPeriod && what != vtResults) set->DumpToLog();
    slot = std::move(set);
    return *slot;
}

TCvPerData& TCvData::PerResults(int period) {
    CheckPeriod(period, kFirstResultPeriod, kLastResultPeriod);
    return LoadedSet(results_[static_cast<std::size_t>(period - kFirstResultPeriod)], vtResults, period);
}

TCvPerData& TCvData::PerDecisions(int period) {
    CheckPeriod(period, kFirstDecisionPeriod, kLastDecisionPeriod);
    return LoadedSet(decisions_[static_cast<std::size_t>(period - kFirstDecisionPeriod)], vtDecisions, period);
}

TCvPerData& TCvData::PerDefaults(int period) {
    CheckPeriod(period, kFirstDecisionPeriod, kLastDecisionPeriod);
    return LoadedSet(defaults_[static_cast<std::size_t>(period - kFirstDecisionPeriod)], vtDefaults, period);
}

TCvPerData& TCvData::NewPerResults(int period) {
    CheckPeriod(period, kFirstResultPeriod, kLastResultPeriod);
    std::unique_ptr<TCvPerData>& slot = results_[static_cast<std::size_t>(period - kFirstResultPeriod)];
    if (!slot) slot = std::make_unique<TCvPerData>(vtResults, static_cast<std::int16_t>(period));
    return *slot;
}

void TCvData::FreePerResults(int period) {
    CheckPeriod(period, kFirstResultPeriod, kLastResultPeriod);
    results_[static_cast<std::size_t>(period - kFirstResultPeriod)].reset();
}

// ---- Series ----

TSeries* TCvData::FindSeries(std::string_view name) const { return seriesList_.FindSeries(name); }

TSeries* TCvData::GetCellSeries(std::string_view seriesName, const TDataContext& context) const {
    return seriesList_.GetSeries(constPart_->GetSmallint(SeriesCategory(seriesName), context, seriesName));
}

}  // namespace cv

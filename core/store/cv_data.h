#pragma once
// TCvData: one industry in memory and in its industry file: the constant part,
// the result, decision and default-decision sets of every period, the series
// list, the current period and the scenario name. TCvInd derives from it.
//
// Sets are loaded from the file the first time they are asked for and written
// back by Save, which stores only their changed cells; SaveAll and
// SaveDecisions then flush the file, which the volume set does crash-safely.
// Failures of the file raise EVolSetError and malformed volumes EDataError
// naming the volume's keys; callers show the message, and the industry in
// memory and the file's last flushed state stay as they were.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/store/byte_buffer.h"
#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/volume_set.h"

namespace cv {

class TCvData {
public:
    // An industry with an empty series list, an empty constant part (what 3,
    // period 32767), no sets and current period 32767. Clock dates what the
    // volume set records.
    explicit TCvData(TVolSetClock clock = LocalNowDateTime);
    // Writes nothing (callers Close first); forgets the series-index table when
    // it refers to this industry's series.
    virtual ~TCvData();
    TCvData(const TCvData&) = delete;
    TCvData& operator=(const TCvData&) = delete;

    // Opens FileName read-write, or creates it with Signature and the industry
    // keys when it does not exist; reads the info volume, the series list and
    // the constant part, looks up the period, firm, zone and market series,
    // builds "AllOrOneMkt" and fills the series-index table. Does not check an
    // existing file's signature (callers test it with IsVolSetFile). An industry
    // already open refuses with EVolSetError; on any other failure the industry
    // is left closed and the file unchanged.
    virtual void Open(const std::string& signature, const std::string& fileName);
    // Saves every part, closes the file and resets the series-index table; an
    // industry in which nothing changed is closed without a write. A failed
    // save raises and leaves the industry open.
    virtual void Close();

    // Stores the parts selected by the kSave... flags (the info volume whenever
    // a flag is set and it changed); only changed cells are stored, sets of
    // period 13 never. Nothing is flushed.
    void Save(std::uint16_t flags);
    // Save(kSaveAll), then flush.
    void SaveAll();
    // Save(kSaveDecisions), then flush.
    void SaveDecisions();

    // The set of that kind and period, loaded from the file on first use. A
    // period outside -1..12 (results) or 0..13 (decisions, defaults) raises
    // ERangeError. When loading fails the slot stays empty and the error is raised.
    TCvPerData& PerResults(int period);
    TCvPerData& PerDecisions(int period);
    TCvPerData& PerDefaults(int period);
    // The result set of Period, created empty (not loaded) when there is none.
    TCvPerData& NewPerResults(int period);
    // Frees the result set of Period; its slot becomes empty.
    void FreePerResults(int period);

    // The series Name (letter case ignored) of the series list, or nullptr.
    TSeries* FindSeries(std::string_view name) const;
    // The series whose list position the constant part holds under SeriesName
    // for the cell that the name's category and Context select. An unknown
    // series name shows "*** ERROR: unknown series <name>" and uses category 1;
    // a missing position raises EDataError as TCvPerData::GetSmallint does,
    // and one outside the list is reported and gives nullptr.
    TSeries* GetCellSeries(std::string_view seriesName, const TDataContext& context) const;

    // The info volume: current period and scenario name. WriteInfo stores it
    // only when it differs from the volume in the file.
    void WriteInfo();
    void ReadInfo();

    const std::string& IndustryName() const { return industryName_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& Signature() const { return signature_; }
    const std::string& ScenarioName() const { return scenarioName_; }
    // Kept to the 8 characters the info volume holds.
    void SetScenarioName(std::string_view name);
    std::int16_t CurPeriod() const { return curPeriod_; }
    void SetCurPeriod(std::int16_t period) { curPeriod_ = period; }

    TCvPerData& ConstPart() { return *constPart_; }
    const TCvPerData& ConstPart() const { return *constPart_; }
    TCvSeries& SeriesList() { return seriesList_; }
    const TCvSeries& SeriesList() const { return seriesList_; }
    // The series looked up at open; nullptr when the industry lacks them.
    TSeries* PerSeries() const { return perSeries_; }
    TSeries* FirSeries() const { return firSeries_; }
    TSeries* FtaSeries() const { return ftaSeries_; }
    TSeries* MktSeries() const { return mktSeries_; }
    // The market series with "AllMkts" in front: element lo stands for all markets.
    const TSeries& AllOrOneMkt() const { return allOrOneMkt_; }

    bool IsOpen() const { return volumes_->IsOpen(); }
    TVolSet& VolumeSet() { return *volumes_; }

private:
    using TResultSets = std::array<std::unique_ptr<TCvPerData>, kLastResultPeriod - kFirstResultPeriod + 1>;
    using TDecisionSets = std::array<std::unique_ptr<TCvPerData>, kLastDecisionPeriod - kFirstDecisionPeriod + 1>;

    void OpenFile();
    void ReadSeriesList();
    void AttachSeries();
    void BuildAllOrOneMkt();
    void ForgetSeriesIndexes() const;
    TCvPerData& LoadedSet(std::unique_ptr<TCvPerData>& slot, TVolType what, int period);
    template <class Sets>
    void SaveSets(const Sets& sets, int firstPeriod) const;
    void WriteSeriesList();

    TVolSetClock clock_;
    std::string industryName_;
    std::string scenarioName_;
    std::unique_ptr<TCvPerData> constPart_;
    std::int16_t curPeriod_ = kVolKeyUnset;
    TSeries* perSeries_ = nullptr;
    TSeries* firSeries_ = nullptr;
    TSeries* ftaSeries_ = nullptr;
    TSeries* mktSeries_ = nullptr;
    TCvSeries seriesList_;
    TSeries allOrOneMkt_;
    TDecisionSets defaults_;
    TDecisionSets decisions_;
    TResultSets results_;
    std::string signature_;
    std::string fileName_;
    std::unique_ptr<TVolSet> volumes_;
};

// Reads the current period and the scenario name from the bytes of an info
// volume; a tag that is absent leaves its value as it was. Bytes that end
// before tag 255 raise EDataError or EOverflowError.
void DecodeInfoVolume(TGetBuf buf, std::int16_t& period, std::string& scenario);

}  // namespace cv

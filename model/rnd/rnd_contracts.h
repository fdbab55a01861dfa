#pragma once
// TModCct: read access to a firm's R&D contracts in one zone. A contract is a
// joint development of a project ("Dev": party 1 develops, party 2 is the
// partner) or the acquisition of a prototype ("Acq": party 1 sells, party 2
// buys). The table is a decision of the decision period, category firm and
// zone: "NbCcts", "CctWhat" [rank, CctWhat column] (texts) and "CctTerms"
// [rank, party, CctTerms column] (reals). TModCct never writes it.

#include <array>
#include <cstdint>
#include <string>

#include "core/store/data_context.h"

namespace cv {

class TCvInd;
class TCvPerData;
class TSimArr;

// The record keeps a contract's type and project name to this many characters.
inline constexpr std::size_t kCctTextMax = 16;

enum class TCctKind : std::uint8_t { Other, Dev, Acq };

// A term of both parties: index 0 party 1, index 1 party 2.
using TCctPair = std::array<double, 2>;

// One contract as a flat record.
struct TCctRec {
    std::string CctType;  // "Dev", "Acq", ... in any letter case
    std::string PrjName;  // the project or prototype concerned
    TCctPair Firm{};      // the parties' firm numbers
    TCctPair ExclUse{};
    TCctPair CctAllowed{};
    TCctPair DevBgt{};  // development budget each party contributes
    TCctPair RoyLump{};
    TCctPair RoyUnit{};
    TCctPair RoySales{};
    TCctPair RoyMin{};
    // Of party 1.
    double PerSigned = 0;
    double Per1stUse = 0;
    double Duration = 0;

    // The type, letter case ignored.
    TCctKind Kind() const;
};

// Column positions in "CctWhat" and "CctTerms" (127 for a label the series lacks).
struct TCctWhatColumns {
    std::uint8_t CctType = 0;
    std::uint8_t PrjName = 0;
};

struct TCctTermColumns {
    std::uint8_t Firm = 0;
    std::uint8_t ExclUse = 0;
    std::uint8_t CctAllowed = 0;
    std::uint8_t DevBgt = 0;
    std::uint8_t RoyLump = 0;
    std::uint8_t RoyUnit = 0;
    std::uint8_t RoySales = 0;
    std::uint8_t RoyMin = 0;
    std::uint8_t PerSigned = 0;
    std::uint8_t Per1stUse = 0;
    std::uint8_t Duration = 0;
};

class TModCct {
public:
    // Binds the table of the context's firm and zone in the decisions of the
    // industry's decision period. Data null keeps the bound industry (none bound:
    // EModelError); on the industry it found them in, the column positions are
    // kept (the series do not change while an industry is open, and a run loads
    // one table per firm and zone). A missing array, or one that lacks an element a record
    // reads, raises EModelError naming it and leaves the object as it was; a
    // count beyond the table is cut to it with a log line.
    void Load(TCvInd* data, const TDataContext& context);
    // Whether no industry is bound or Context names another firm, zone or market.
    bool NeedsReload(const TDataContext& context) const;
    // The number of contracts of Context's firm and zone (reloading when needed).
    int GetNbCcts(const TDataContext& context);
    // Contract Rank (1..GetNbCcts) of Context's firm and zone, texts cut to
    // kCctTextMax. Any other rank raises EModelError, after its log line.
    TCctRec GetCctByRank(const TDataContext& context, int rank);

    TCvInd* Data() const { return data_; }
    const TDataContext& Context() const { return context_; }
    const TCctWhatColumns& WhatColumns() const { return what_; }
    const TCctTermColumns& TermColumns() const { return terms_; }

private:
    void FindColumns();
    void RequireShapes() const;

    TCvInd* data_ = nullptr;
    const TCvInd* columnsOf_ = nullptr;  // the industry whose series the columns were found in
    TDataContext context_{};
    TCvPerData* decNext_ = nullptr;
    TCctWhatColumns what_;
    TCctTermColumns terms_;
    std::int32_t nbCcts_ = 0;
    TSimArr* cctWhat_ = nullptr;
    TSimArr* cctTerms_ = nullptr;
};

}  // namespace cv

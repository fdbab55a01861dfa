#pragma once
// The team's batch documents: the company report ("R"), the newsletter ("N")
// and the market research studies ("S") of the selected period, for the
// zones (bit z - 1 of ZoneMask) and markets (bit m - 1 of MarketMask) chosen,
// and PrintTeamDocuments, which makes them for each firm that asks for
// copies, behind a wait notice whose Cancel stops between documents.
//
// Output flags and copies go to TXlDoc::PrintOrSave: 0 writes the files only.

#include <QImage>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/store/data_context.h"

namespace cv {

class TCvDoc;

// The studies chosen: bit 1 of ZoneStudies the benchmarking; bit s - 1 of
// Markets[m - 1] the market study of element s of the series "StuMkt".
struct TStudySelection {
    std::uint8_t ZoneStudies = 0;
    std::array<std::uint16_t, 3> Markets{};
    bool Empty() const { return ZoneStudies == 0 && Markets == std::array<std::uint16_t, 3>{}; }
};

// The pictures of the study charts, drawn by the charts' own layer for the
// document's context: the map of Kind (2 perceptual, 1 semantic) on the
// context's axes, and the conjoint utilities of its segment. A null image
// leaves the chart out (nothing to show).
struct TDocumentCharts {
    std::function<QImage(const TDataContext& context, int kind)> Map;
    std::function<QImage(const TDataContext& context)> Conjoint;
};

// Sections of the company report: 1 firm results, 2 brand results, 4 R&D,
// 8 cumulative results, 16 messages, 32 past decisions. Nothing at all
// (no file) for 0. Returns whether the file and print succeeded.
bool BuildCompanyReport(TCvDoc& doc, const TDataContext& context, int zoneMask, int marketMask, int sections,
                        int outputFlags, int copies);
// Sections of the newsletter: 1 stock market and scorecard, 2 economy, 4
// the brands of each market that has any. Nothing (no file) for 0.
bool BuildNewsletter(TCvDoc& doc, const TDataContext& context, int zoneMask, int marketMask, int sections,
                     int outputFlags, int copies);
// The studies chosen that the firm bought (every one chosen with PrintAll)
// and that are available; a study not shown gives its explanation. Nothing
// (no file) when nothing is chosen.
bool BuildStudiesReport(TCvDoc& doc, const TDataContext& context, bool printAll, int zoneMask,
                        const TStudySelection& studies, const TDocumentCharts& charts, int outputFlags, int copies);

// For each firm f whose Copies[f - 1] is above 0: the newsletter, the
// company report and the studies, as far as each has something chosen, each
// announced on the wait notice. Cancelled is asked before each document;
// once it answers true nothing more is made.
void PrintTeamDocuments(TCvDoc& doc, const TDataContext& context, bool printAll, const std::vector<int>& copies,
                        int zoneMask, int marketMask, int reportSections, int newsletterSections,
                        const TStudySelection& studies, int outputFlags, const TDocumentCharts& charts,
                        const std::function<bool()>& cancelled);

}  // namespace cv

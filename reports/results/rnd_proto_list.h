#pragma once
// TRnDProtoList: the firm's R&D projects and prototypes in the selected
// market, one row per project: its physical characteristics, its requested
// and minimum unit costs, the budget spent and the budget still required (or
// the period it was ready in). Three lists: every project, the available
// prototypes (nothing left to spend), the on-going projects.

#include "reports/screen/result_screen.h"

namespace cv {

enum class TProtoListKind : std::uint8_t { AllProjects = 0, AvailablePrototypes = 1, OnGoingProjects = 2 };

class TRnDProtoList : public TRnDScr {
public:
    TRnDProtoList(QWidget* owner, const TDataContext& context, TProtoListKind kind, const TScreenLayout& layout)
        : TRnDScr(owner, context, layout), kind_(kind) {}

    void Build(const TDataContext& context) override;

private:
    struct TColumns;
    void WriteTitleRows(const TColumns& columns);
    // Writes the rows of the listed projects from the first body row; returns
    // the row after the last one written.
    int WriteProjects(const TColumns& columns);
    void FormatTable(const TColumns& columns, int rowAfterLast);
    bool Listed(double requiredBudget) const;

    TProtoListKind kind_;
};

}  // namespace cv

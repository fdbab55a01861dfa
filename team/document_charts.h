#pragma once
// The study charts of the studies document drawn on a hidden panel of the
// printing window (shown while a chart is made), as pictures.

#include "reports/documents/team_documents.h"

class QWidget;

namespace cv {

TDocumentCharts DocumentChartsOn(QWidget& panel);

}  // namespace cv

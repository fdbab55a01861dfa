#pragma once
// The study charts of the studies document, built without a page as the
// document draws them: a chart of its own size, no title, every label black.
// The document turns each into a picture (TQNChart::GetPicture).

#include <memory>

#include "core/store/data_context.h"

class QWidget;

namespace cv {

class TStdPercMap;
class TCjaUtilsGraph;

// The one-period map of Kind (semantic or perceptual) for Context; null when
// the market markets no brand, which the document leaves out.
std::unique_ptr<TStdPercMap> BuildDocumentMap(QWidget* host, const TDataContext& context, int kind);
// The conjoint utilities of Context's segment.
std::unique_ptr<TCjaUtilsGraph> BuildDocumentConjointChart(QWidget* host, const TDataContext& context);

}  // namespace cv

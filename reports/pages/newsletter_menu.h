#pragma once
// The table of the newsletter page: three groups, each with the instructor's
// "rcNewsletter" item that disables or hides it, and its items, each opening
// one newsletter page; only the two brand pages are about one market.

#include "shell/group_page.h"

namespace cv {

// The scorecard item, which sets up its presentation combo first.
inline constexpr std::string_view kNewsletterScoreCardItem = "MPNLSMktSCard";

// Stock market, economy, market report.
const TPageMenu& NewsletterPageMenu();

}  // namespace cv

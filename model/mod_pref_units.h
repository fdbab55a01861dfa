#pragma once
// Units of the preference module: positions are stored in thousandths of an
// axis normalised to -1..1; the constant part and the log give them in map
// units (-20..20) and the log semantic positions in scale units (1..7).

namespace cv::pref {

inline constexpr double kThousandths = 1000;
inline constexpr double kAxisLo = -1;
inline constexpr double kAxisHi = 1;
inline constexpr double kMapLo = -20;
inline constexpr double kMapHi = 20;
inline constexpr double kSemLo = 1;
inline constexpr double kSemHi = 7;

// Level of the module's tables in the model log.
inline constexpr int kDetailLevel = 2;

}  // namespace cv::pref

#pragma once
// The one process-wide random generator. Every random draw of the program comes
// from it, so that a run seeded the same way draws the same numbers: a 32-bit
// linear congruential generator, seed := seed * 134,775,813 + 1 modulo 2^32,
// each draw advancing the seed by exactly one step.

#include <cstdint>

namespace cv {

// The shared seed; the model sets it before the draws it must reproduce.
std::uint32_t RandomSeed();
void SetRandomSeed(std::uint32_t seed);

// One step, then seed / 2^32: a draw r with 0 <= r < 1.
double RandomReal();
// One step, then (seed * N) div 2^32: a whole number in 0..N-1; 0 when N <= 0.
std::int32_t RandomBelow(std::int32_t n);
// Lo + r * (Hi - Lo) for one draw r: in [Lo, Hi) when Lo < Hi.
double RandomBetween(double lo, double hi);

}  // namespace cv

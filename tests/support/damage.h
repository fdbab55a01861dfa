#pragma once
// Damaged copies of good bytes for the readers' corruption tests. The seed is
// fixed by the caller, so every run damages the same places.

#include <cstdint>
#include <random>
#include <vector>

namespace cv::test {

// Rounds copies of Bytes, copy r with 1 + r % 4 bits flipped at random places.
template <class Bytes>
std::vector<Bytes> FlippedCopies(const Bytes& bytes, int rounds, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Bytes> copies;
    for (int round = 0; round < rounds && !bytes.empty(); ++round) {
        Bytes copy = bytes;
        for (int flip = 0; flip <= round % 4; ++flip)
            copy[random() % copy.size()] ^= static_cast<typename Bytes::value_type>(1u << (random() % 8));
        copies.push_back(std::move(copy));
    }
    return copies;
}

// Every Step-th proper prefix of Bytes, from the empty one.
template <class Bytes>
std::vector<Bytes> Truncations(const Bytes& bytes, std::size_t step = 1) {
    std::vector<Bytes> prefixes;
    for (std::size_t size = 0; size < bytes.size(); size += step)
        prefixes.emplace_back(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    return prefixes;
}

// Bytes with Size bytes of a fixed pseudo-random sequence written over them from
// Fraction (0..1) of their length on (cut at their end).
template <class Bytes>
Bytes WithGarbage(Bytes bytes, double fraction, std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    const auto at = static_cast<std::size_t>(static_cast<double>(bytes.size()) * fraction);
    for (std::size_t i = at; i < bytes.size() && i < at + size; ++i)
        bytes[i] = static_cast<typename Bytes::value_type>(random());
    return bytes;
}

}  // namespace cv::test

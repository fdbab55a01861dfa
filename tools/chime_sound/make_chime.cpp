// Synthesises the hourly chime: a short bell phrase of three struck notes,
// each a sum of decaying partials, written as a 16-bit mono PCM WAV file.
//   make_chime <output file>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSampleRate = 22050;
// Each note rings 0.7 s before the next is struck; the last rings 1.2 s more.
constexpr std::size_t kNoteSamples = kSampleRate * 7 / 10;
constexpr std::size_t kTailSamples = kSampleRate * 6 / 5;
// A falling major third and a fifth: E5, C5, G4.
constexpr double kNotes[] = {659.25, 523.25, 392.0};
// Partials of a bell: frequency ratio and relative loudness.
constexpr double kPartials[][2] = {{1.0, 1.0}, {2.0, 0.45}, {2.76, 0.25}, {5.4, 0.12}};
constexpr double kDecayPerSecond = 3.2;
// Three overlapping notes of all partials stay well below full scale.
constexpr double kScale = 0.14 * 32767;

std::vector<std::int16_t> Synthesise() {
    std::vector<double> mix(kNoteSamples * std::size(kNotes) + kTailSamples, 0.0);
    for (std::size_t note = 0; note < std::size(kNotes); ++note) {
        const std::size_t start = note * kNoteSamples;
        for (std::size_t i = start; i < mix.size(); ++i) {
            const double t = static_cast<double>(i - start) / kSampleRate;
            const double envelope = std::exp(-kDecayPerSecond * t) * std::min(1.0, t * 200);  // 5 ms strike
            for (const auto& partial : kPartials)
                mix[i] += partial[1] * envelope * std::sin(2 * std::numbers::pi * kNotes[note] * partial[0] * t);
        }
    }
    std::vector<std::int16_t> samples(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::clamp(mix[i] * kScale, -32767.0, 32767.0));
    return samples;
}

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string WavBytes(const std::vector<std::int16_t>& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    PutLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4);          // format chunk size
    PutLittleEndian(out, 1, 2);           // PCM
    PutLittleEndian(out, 1, 2);           // mono
    PutLittleEndian(out, kSampleRate, 4);
    PutLittleEndian(out, kSampleRate * 2, 4);  // bytes per second
    PutLittleEndian(out, 2, 2);           // bytes per frame
    PutLittleEndian(out, 16, 2);          // bits per sample
    out += "data";
    PutLittleEndian(out, dataBytes, 4);
    for (std::int16_t sample : samples) PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_chime <output file>\n";
        return 2;
    }
    const std::string target = argv[1];
    const std::string temporary = target + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary);
        out << WavBytes(Synthesise());
        if (!out.flush()) {
            std::cerr << "cannot write " << temporary << '\n';
            return 1;
        }
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::cerr << "cannot replace " << target << '\n';
        return 1;
    }
    return 0;
}

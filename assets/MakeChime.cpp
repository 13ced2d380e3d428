// Writes the default alarm sound as a WAV file: three soft strikes of a
// two-tone bell, synthesised here so that the program ships no recording.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {
constexpr int kRate = 44100;

void put16(std::FILE* file, std::uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value & 0xff), static_cast<unsigned char>(value >> 8)};
    std::fwrite(bytes, 1, 2, file);
}

void put32(std::FILE* file, std::uint32_t value)
{
    put16(file, static_cast<std::uint16_t>(value & 0xffff));
    put16(file, static_cast<std::uint16_t>(value >> 16));
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeChime out.wav\n");
        return 2;
    }
    const double seconds = 2.4;
    std::vector<double> samples(static_cast<size_t>(seconds * kRate), 0.0);
    // Each strike: a fundamental and a bright partial, decaying like a bell.
    const double strikes[] = {0.0, 0.6, 1.2};
    const double tones[][2] = {{880.0, 1.0}, {1318.5, 0.5}, {2637.0, 0.15}};
    for (double start : strikes) {
        for (size_t i = static_cast<size_t>(start * kRate); i < samples.size(); ++i) {
            const double t = static_cast<double>(i) / kRate - start;
            const double attack = std::min(1.0, t / 0.005);
            for (const auto& tone : tones) {
                samples[i] += tone[1] * attack * std::exp(-3.0 * t) * std::sin(2 * std::numbers::pi * tone[0] * t);
            }
        }
    }
    double peak = 0;
    for (double sample : samples) {
        peak = std::max(peak, std::abs(sample));
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, file);
    put32(file, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, file);
    put32(file, 16);
    put16(file, 1); // PCM
    put16(file, 1); // mono
    put32(file, kRate);
    put32(file, kRate * 2);
    put16(file, 2);
    put16(file, 16);
    std::fwrite("data", 1, 4, file);
    put32(file, dataBytes);
    for (double sample : samples) {
        const double scaled = sample / peak * 0.7 * 32767.0;
        put16(file, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(scaled))));
    }
    return std::fclose(file) == 0 ? 0 : 1;
}

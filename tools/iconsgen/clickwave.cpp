#include "clickwave.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace iconsgen {
namespace {

void put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

} // namespace

std::vector<std::int16_t> clickSamples() {
    // Two partials of a small wooden knock plus a breath of noise, all dying away
    // within a few milliseconds; a 0.3 ms rise keeps the start from popping.
    std::vector<std::int16_t> samples(ClickSamples);
    std::uint32_t noise = 12345; // a fixed seed: the file is the same every time
    for (int i = 0; i < ClickSamples; ++i) {
        const double t = double(i) / ClickSampleRate;
        noise = noise * 1664525u + 1013904223u;
        const double white = double(noise >> 8) / double(1u << 24) * 2.0 - 1.0;
        const double tone = 0.65 * std::sin(2 * M_PI * 1900 * t) + 0.25 * std::sin(2 * M_PI * 4700 * t);
        const double rise = std::min(1.0, t / 0.0003);
        const double decay = std::exp(-t / 0.0028);
        const double value = 0.7 * rise * decay * (tone + 0.18 * white);
        samples[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
    }
    return samples;
}

QByteArray waveFile(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray out;
    out.append("RIFF");
    put32(out, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    put32(out, 16); // size of the format chunk
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(sampleRate));
    put32(out, static_cast<std::uint32_t>(sampleRate * 2)); // bytes per second
    put16(out, 2);                                          // bytes per sample frame
    put16(out, 16);                                         // bits per sample
    out.append("data");
    put32(out, dataBytes);
    for (const std::int16_t s : samples)
        put16(out, static_cast<std::uint16_t>(s));
    return out;
}

} // namespace iconsgen

#pragma once
// The click played on mode changes: about 20 ms of a damped knock, synthesised so
// that it can be made again bit for bit.

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace iconsgen {

inline constexpr int ClickSampleRate = 22050;
inline constexpr int ClickSamples = 441; // 20 ms

// Mono 16-bit samples of the click.
std::vector<std::int16_t> clickSamples();

// A RIFF/WAVE file (PCM, mono, 16-bit, little-endian) holding the samples.
QByteArray waveFile(const std::vector<std::int16_t>& samples, int sampleRate);

} // namespace iconsgen

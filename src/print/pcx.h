#pragma once
// The monochrome PCX writer: a 128-byte header, then every scan line from the top,
// each packed 8 pixels to the byte (the leftmost in the top bit, ink 0 and paper 1,
// matching the palette's black and white) and run-length encoded on its own.
// Any pixel that is not pure white is ink.

#include <QImage>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace qv {

class Ui;

inline const char* const PcxProgressCaption = "File save progress";
inline const char* const PcxProgressText = "Saving PCX file";
inline const char* const PcxAbortedMessage = "PCX writing aborted.";

inline constexpr std::size_t PcxHeaderSize = 128;
// The encoded bytes are handed on in pieces of this size (the last one shorter).
inline constexpr std::size_t PcxBufferSize = 2048;
// A run code is 192 + its length in one byte whose top two bits are set.
inline constexpr int PcxLongestRun = 63;
// The progress window moves on every so many lines.
inline constexpr int PcxProgressLines = 32;
// The header keeps sizes in 16 bits.
inline constexpr int PcxLargestSide = 65535;

// ceil(width / 8).
int pcxBytesPerLine(int width);

// The header of a picture of width x height pixels: version 2, run-length encoded,
// one plane of 1 bit, 300 dots per inch, palette entry 0 black and 1 white.
std::array<std::uint8_t, PcxHeaderSize> pcxHeader(int width, int height);

// Line y of `image` (RGB32) packed into `line` (bytes per line long): ink 0,
// paper 1, and the bits beyond the right edge paper. A one-bit image with colour
// 0 black and colour 1 white has exactly these bytes in its scan lines.
void packPcxLine(const QImage& image, int y, std::vector<std::uint8_t>& line);

// Appends the run-length code of one packed line to `out`: runs of 2 to 63 equal
// bytes as 192 + length then the byte; a single byte as itself, or as 193 then the
// byte when its top two bits are set (it would read as a run code).
void encodePcxLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out);

// Receives the encoded file piece by piece, in order.
using ByteSink = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

// Encodes `image` into `sink` under the progress window ("File save progress",
// "Saving PCX file" and the percentage every 32 lines), whose abort button stops
// it with "PCX writing aborted.". True when the whole picture went to the sink;
// false when aborted, or for an empty image or one too large for the header.
bool WritePcx(const QImage& image, const ByteSink& sink, Ui& ui);

} // namespace qv

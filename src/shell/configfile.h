#pragma once
// QUAVLY.INI: the desktop settings kept between runs, in the plain Windows
// profile-file form (`[Section]` lines, `Key=Value` lines, integers in decimal,
// booleans as 1 and 0, colours as the decimal of 0x00BBGGRR, lengths of the
// default page in thousandths of an inch).
//
// Section and key names match whatever their case; a missing key, a missing or
// unreadable file and a value not understood all give the default. Booleans also
// read as true/false, yes/no and on/off; colours also as 0x-prefixed hexadecimal.
//
// Writing never destroys what the user wrote: a key whose line already reads as
// the value being written keeps that line byte for byte, whatever its spelling
// (a value not understood stays until the user changes that setting); only
// changed values are written, over the line the reader takes, and missing keys are
// added. Every other section, key and comment stays, and so do the file's
// encoding (UTF-8 or UTF-16, with or without a byte-order mark) and its line
// endings. Writes go to a temporary file that is renamed into place, so a failed
// write leaves the old file whole; failures are only returned, never shown to the
// user.

#include "model/settings.h"

#include <string>
#include <vector>

namespace qv {

// The most recent files the File menu keeps (and the reader takes from [Files]).
inline constexpr std::size_t MaxRecentFiles = 9;

// $QUAVERLY_CONFIG when set and not empty, else $XDG_CONFIG_HOME/quaverly/QUAVLY.INI.
std::string configFilePath();

// Every setting from the file, each key falling back to its default.
Settings readConfiguration(const std::string& path);

// Writes every setting except the recent files, the score window's view keys
// and the keys that are only read (HintsOff, LCL). Creates the folder if needed.
// Refuses (false) when the file exists but cannot be read, so that keys it holds
// are never lost.
bool writeConfiguration(const std::string& path, const Settings& settings);

// Replaces the [Files] section with the names as keys 1..n, most recent first.
// A name holding a line break cannot be kept in the file and is left out.
bool writeRecentFiles(const std::string& path, const std::vector<std::string>& files);

// The score window's own keys: whether the page view with margins is on, and the
// page zoom and how it follows the window.
bool writeViewSettings(const std::string& path, const Settings& settings);

} // namespace qv

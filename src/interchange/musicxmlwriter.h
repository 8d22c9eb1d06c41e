#pragma once
// The export model written as a partwise MusicXML 3.1 document.

#include "interchange/exportmodel.h"

#include <QByteArray>

namespace qv {

// The whole document, UTF-8.
QByteArray writeMusicXml(const ExportScore& score);

// The score read and written in one go.
QByteArray exportMusicXml(const Score& score);

} // namespace qv

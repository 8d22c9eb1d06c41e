#include "files/scorefile.h"

#include "model/bytes.h"

#include <algorithm>

namespace qv {

FileHeader decodeHeader(const std::uint8_t* r) {
    FileHeader h;
    h.Nstaves = r[0];
    h.quaverlyMagic = r[1] == 'q' && r[2] == 'V';
    h.magicOk = h.quaverlyMagic && r[4] == 'K';
    h.Flags = r[3];
    h.Spacing = r[5];
    h.Pulse = r[6];
    h.Beamang = r[7];
    h.FileVer = getU16(r + 8);
    h.Page1 = r[10];
    h.headerThousandths = getU16(r + 11);
    h.footerThousandths = getU16(r + 13);
    h.screenResolution = r[17];
    h.NumFonts = getU16(r + 20);
    return h;
}

std::string recordString(const std::uint8_t* field, int capacity) { return getLpString(field, capacity); }

void putRecordString(std::uint8_t* field, int capacity, const std::string& s) { putLpString(field, capacity, s); }

} // namespace qv

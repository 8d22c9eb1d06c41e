#include "scorenotes.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace qv::test {

namespace {

// Middle-line notes under treble, bass, alto and tenor clefs, as (letter index, octave).
constexpr int MiddleLine[4] = {4 * 7 + 6, 3 * 7 + 1, 4 * 7, 3 * 7 + 5};

int keyAlterOf(int key, char letter) {
    const std::string sharps = "FCGDAEB";
    const auto at = static_cast<int>(sharps.find(letter));
    if (key > 0) return at < key ? 1 : 0;
    if (key < 0) return 6 - at < -key ? -1 : 0;
    return 0;
}

double quartersOf(int code, int dots) {
    double q = std::ldexp(1.0, 3 - code);
    double add = q;
    for (int d = 0; d < dots; ++d) q += (add /= 2);
    return q;
}

} // namespace

std::string describe(const ReadNote& n) {
    if (n.rest) return "rest " + std::to_string(n.quarters);
    return std::string(1, n.step) + (n.alter > 0 ? std::string(n.alter, '#') : std::string(-n.alter, 'b')) +
           std::to_string(n.octave) + " " + std::to_string(n.quarters);
}

std::vector<ReadNote> readBackNotes(const Score& score, int row, int stavesPerSystem) {
    std::vector<ReadNote> out;
    int clef = 0, key = 0;
    for (int first = 1; first + stavesPerSystem - 1 <= score.Nstaves; first += stavesPerSystem) {
        const Stave& top = score.stave(first);
        const Stave& st = score.stave(first + row);
        std::vector<int> bars;
        for (int i = 1; i <= top.Nobjec; ++i)
            if (top.object(i).is(ObjectKind::Barline)) bars.push_back(top.object(i).x());
        std::map<std::pair<char, int>, int> inBar;
        std::size_t bar = 0;
        std::map<int, int> alterOf; // object index -> alteration, for ties
        for (int i = 1; i <= st.Nobjec; ++i) {
            const ScoreObject& o = st.object(i);
            while (bar < bars.size() && bars[bar] < o.x()) {
                ++bar;
                inBar.clear();
            }
            if (o.is(ObjectKind::Clef)) clef = o.clefType();
            if (o.is(ObjectKind::KeySignature)) key = o.keyCount();
            if (!o.is(ObjectKind::Note)) continue;
            ReadNote n;
            n.quarters = quartersOf(o.duration(), o.dots());
            n.rest = o.isRest();
            if (!n.rest) {
                const int d = o.staffPosition() + MiddleLine[std::clamp(clef, 0, 3)];
                n.step = "CDEFGAB"[((d % 7) + 7) % 7];
                n.octave = (d - ((d % 7) + 7) % 7) / 7;
                const auto letter = std::make_pair(n.step, n.octave);
                n.alter = inBar.count(letter) ? inBar[letter] : keyAlterOf(key, n.step);
                // An accidental standing just before the note, on its position.
                for (int j = i - 1; j >= 1 && st.object(j).x() >= o.x() - 40; --j) {
                    const ScoreObject& a = st.object(j);
                    if (a.is(ObjectKind::Accidental) && a.accPosition() == o.staffPosition()) {
                        n.alter = a.accValue();
                        break;
                    }
                }
                if (o.tiedFrom() && alterOf.count(o.tiedFrom())) n.alter = alterOf[o.tiedFrom()];
                inBar[letter] = n.alter;
                alterOf[i] = n.alter;
            }
            out.push_back(n);
        }
    }
    return out;
}

} // namespace qv::test

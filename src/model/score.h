#pragma once
// The one score in memory: header values, page data, font table, the 256 stave
// records, the marked-object sets and the provisional object.

#include "model/fonttable.h"
#include "model/pagegeometry.h"
#include "model/stave.h"
#include "model/undostore.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace qv {

class Score;

// Where the layers above join in when a stave changes: layout tidies it and
// measures it afterwards. Unset hooks do nothing, so the model works alone.
struct ScoreHooks {
    std::function<void(Score&, int stave)> staveChanged;
    // After a stave has been tidied and measured: the score window refreshes its
    // status line and redraw state when the stave is the current one.
    std::function<void(Score&, int stave)> refreshStatus;
};

// The object being entered, held outside the staves until it is completed.
struct ProvisionalObject {
    bool present = false;
    ScoreObject object = makeObject(ObjectKind::Deleted);

    void clear() { *this = ProvisionalObject{}; }
};

inline constexpr int CurrentFileVersion = 303;

class Score {
  public:
    Score();
    Score(Score&&) noexcept = default;
    Score& operator=(Score&&) noexcept = default;
    Score(const Score&) = delete;
    Score& operator=(const Score&) = delete;

    // Header values.
    int Nstaves = 0;                  // music staves 1..Nstaves, at most 255
    bool naturalsInKeyChange = false; // header flag bit 0
    int Spacing = 3;                  // grade 1..5
    int Pulse = 3;                    // duration code 1..6
    int Beamang = 10;                 // minimum beaming angle, degrees
    double beamSlopeLimit = 0.0;      // tan(Beamang / 57.3)
    int FileVer = CurrentFileVersion;
    int NumFonts = 1;
    std::string description; // templates only, at most 21 characters
    bool modified = false;

    // Page data.
    PageData page;
    double StvSiz = 1.0 / 3.0; // inches covered by 32 page units
    bool Facing = false;
    std::int32_t LeftStv = 0;  // kept with the page data, not otherwise used
    std::int32_t RightStv = 0;

    FontTable fonts;

    // Marked objects of block operations, a set per music stave; not saved.
    std::array<std::bitset<256>, 256> marked{};
    ProvisionalObject provisional;

    ScoreHooks hooks;
    UndoStore undo; // opened with the "Undo" depth by the score window; off until then

    // Stave i (0..255). Staves 0..Nstaves always exist.
    Stave& stave(int i) { return *staves_[static_cast<std::size_t>(i)]; }
    const Stave& stave(int i) const { return *staves_[static_cast<std::size_t>(i)]; }
    bool hasStave(int i) const { return i >= 0 && i <= MaxStaves && staves_[static_cast<std::size_t>(i)]; }

    // Sets Nstaves, allocating new empty staves up to it and freeing those above.
    void setStaveCount(int n);
    // Replaces stave i with a new record (allocated when missing).
    void setStave(int i, const Stave& s);
    // Puts a stave in at index i (1..Nstaves + 1), the staves from i on moving down
    // one; and takes out `count` staves from `first` on, the later ones moving up.
    void insertStave(int i, const Stave& s);
    void removeStaves(int first, int count);

    void setBeamang(int degrees);

    // Equal header values, page data, fonts in use and staves 0..Nstaves; the
    // editing leftovers (marks, provisional object, modified, hooks) are not compared.
    bool sameContent(const Score& other) const;

  private:
    void renumber(int from);
    std::array<std::unique_ptr<Stave>, 256> staves_;
};

// The beam slope limit for a minimum beaming angle in degrees.
double beamSlopeFor(int beamang);

} // namespace qv

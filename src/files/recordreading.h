#pragma once
// What the readers of our own score files and of NoteWorthy 2 files share: the
// records handed out in file order, the refusal thrown from inside a reader, and
// the checks on where an object record says it belongs.

#include "files/recovery.h"
#include "files/scorefileread.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class Score;
class ScoreObject;

// Thrown inside a reader; the reader's entry point turns it into its result.
struct Refused {
    ReadStatus status;
    std::string message;
};

// "… File is bad." after `problem`.
[[noreturn]] void refuseAsBad(const std::string& problem);

// "Problem with stave S at object I", then "File is bad.".
std::string objectProblem(int stave, int index);

// Hands out the records in file order.
class RecordReader {
  public:
    RecordReader(const std::vector<std::uint8_t>& bytes, const std::string& fileName)
        : bytes_(bytes), fileName_(fileName) {}

    // No whole record is left (a cut-off tail is never handed out).
    bool atEnd() const { return bytes_.size() - position_ < RecordSize; }

    // The next record the file announced; a file that ends before it is a read error.
    const std::uint8_t* need();

  private:
    const std::vector<std::uint8_t>& bytes_;
    const std::string& fileName_;
    std::size_t position_ = 0;
};

// The slot an object record names, checked: a stave past the score's or an index
// outside 1..MaxObjects refuses the file. An index above its stave's count raises
// the count, with a message kept in `recovered` for an accepted file; `filled` notes
// the slot.
ScoreObject& objectSlot(Score& score, int staveIndex, int index, FilledSlots& filled,
                        std::vector<std::string>& recovered);

// A file cut short loses the objects of its last staves, and a damaged one may lack
// a record here and there; but a stave that announces objects and got none of them
// while a later stave got some means the records are not the ones the counts
// announce (a stave count larger than the staves stored reads objects as staves):
// the file is refused as one that cannot be read.
void refuseMisreadRecords(const Score& score, const FilledSlots& filled, const std::string& fileName);

} // namespace qv

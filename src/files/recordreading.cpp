#include "files/recordreading.h"

#include "model/score.h"

namespace qv {

void refuseAsBad(const std::string& problem) {
    throw Refused{ReadStatus::Bad, problem + "\n" + FileIsBad};
}

std::string objectProblem(int stave, int index) {
    return "Problem with stave " + std::to_string(stave) + " at object " + std::to_string(index) + "\n" +
           FileIsBad;
}

const std::uint8_t* RecordReader::need() {
    if (atEnd()) throw Refused{ReadStatus::ReadError, FileReadErrorPrefix + fileName_};
    const std::uint8_t* r = bytes_.data() + position_;
    position_ += RecordSize;
    return r;
}

ScoreObject& objectSlot(Score& score, int staveIndex, int index, FilledSlots& filled,
                        std::vector<std::string>& recovered) {
    if (staveIndex > score.Nstaves || index == 0 || index > MaxObjects)
        throw Refused{ReadStatus::Bad, objectProblem(staveIndex, index)};
    Stave& stave = score.stave(staveIndex);
    filled[static_cast<std::size_t>(staveIndex)].set(static_cast<std::size_t>(index));
    if (index > stave.Nobjec) {
        recovered.push_back(objectProblem(staveIndex, index));
        stave.Nobjec = static_cast<std::uint8_t>(index);
    }
    return stave.object(index);
}

void refuseMisreadRecords(const Score& score, const FilledSlots& filled, const std::string& fileName) {
    bool emptied = false; // an earlier stave got none of the objects it announces
    for (int stave = 0; stave <= score.Nstaves; ++stave) {
        const auto& slots = filled[static_cast<std::size_t>(stave)];
        if (emptied && slots.any()) throw Refused{ReadStatus::ReadError, FileReadErrorPrefix + fileName};
        emptied = emptied || (score.stave(stave).Nobjec > 0 && slots.none());
    }
}

} // namespace qv

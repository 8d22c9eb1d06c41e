// Transposing the largest score the format holds (255 staves of 249 objects) by a
// major third, with its undo group: keys, notes, accidentals, chord names.

#include "benchgui.h"
#include "quietui.h"
#include "layout/staveextent.h"
#include "model/ui.h"
#include "support/scorebuilder.h"
#include "transpose/transpose.h"

#include <benchmark/benchmark.h>

namespace {

using bench::QuietUi;

// Every stave full: clef, key, then notes with an accidental before every fourth
// and a chord name every bar.
qv::Score fullScore() {
    qv::Score score = qv::test::makeScore(qv::MaxStaves);
    for (int s = 1; s <= qv::MaxStaves; ++s) {
        qv::Stave& st = score.stave(s);
        st.RightX = 30000;
        qv::test::append(st, qv::test::makeClef(10, s % 4, st.Ycoord));
        qv::ScoreObject key = qv::makeObject(qv::ObjectKind::KeySignature);
        key.setX(30), key.setKeyCount(s % 12 - 6);
        qv::test::append(st, key);
        for (int i = 0; st.Nobjec < qv::MaxObjects; ++i) {
            const int x = 120 + 12 * i, position = i % 15 - 7;
            if (i % 4 == 0) {
                qv::ScoreObject acc = qv::makeObject(qv::ObjectKind::Accidental);
                acc.setX(x - 6), acc.setAccPosition(position), acc.setAccValue(i % 3 - 1);
                qv::test::append(st, acc);
            } else if (i % 16 == 1) {
                qv::test::append(st, qv::test::makeTextHead(x, st.Ycoord - 40, 1, "Am7", qv::TextTransposable));
            } else {
                qv::test::append(st, qv::test::makeNote(x, position, 4, st.Ycoord));
            }
        }
    }
    return score;
}

void BM_TransposeLargestScoreMajorThird(benchmark::State& state) {
    bench::gui();
    QuietUi ui;
    qv::Score score = fullScore();
    score.undo.open(20);
    qv::TransposeRequest request{4, 1, qv::MaxStaves, std::nullopt, false};
    const qv::ScoreObject before = score.stave(1).object(5);
    if (!qv::Transpose(score, request, &score.undo, ui) || score.stave(1).object(5) == before)
        state.SkipWithError("the score was not transposed");
    request.distance = -4;
    qv::Transpose(score, request, &score.undo, ui);
    int direction = 1;
    for (auto _ : state) {
        request.distance = 4 * direction; // up, then back down: the score stays in range
        qv::Transpose(score, request, &score.undo, ui);
        direction = -direction;
    }
    state.counters["objects"] = qv::MaxStaves * qv::MaxObjects;
}
BENCHMARK(BM_TransposeLargestScoreMajorThird)->Unit(benchmark::kMillisecond);

} // namespace

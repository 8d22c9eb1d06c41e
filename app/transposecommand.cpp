#include "transposecommand.h"

#include "clisupport.h"
#include "files/scorefilewrite.h"
#include "transpose/transpose.h"

#include <algorithm>
#include <array>
#include <optional>

namespace qv::cli {

namespace {

const char* const TransposeUsage = "transpose needs IN OUT --interval NAME [--down] [--staves A-B] "
                                   "[--clef treble|bass|alto|tenor]";

struct Named {
    const char* name;
    int value;
};

constexpr std::array Intervals{
    Named{"unison", 0},      Named{"minor-2nd", 1},   Named{"semitone", 1},     Named{"major-2nd", 2},
    Named{"tone", 2},        Named{"minor-3rd", 3},   Named{"major-3rd", 4},    Named{"perfect-4th", 5},
    Named{"tritone", 6},     Named{"augmented-4th", 6}, Named{"perfect-5th", 7}, Named{"minor-6th", 8},
    Named{"major-6th", 9},   Named{"minor-7th", 10},  Named{"major-7th", 11},   Named{"octave", 12},
};
constexpr std::array Clefs{Named{"treble", ClefTreble}, Named{"bass", ClefBass}, Named{"alto", ClefAlto},
                           Named{"tenor", ClefTenor}};

template <typename Table> std::optional<int> lookUp(const Table& table, const std::string& name) {
    for (const Named& n : table)
        if (name == n.name) return n.value;
    return std::nullopt;
}

template <typename Table> std::string names(const Table& table) {
    std::string list;
    for (const Named& n : table)
        list += (list.empty() ? "" : ", ") + std::string(n.name);
    return list;
}

struct TransposeArgs {
    std::string in, out, interval, staves, clef;
    bool down = false;
};

std::string parseArgs(const std::vector<std::string>& args, TransposeArgs& t) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--interval" && hasValue) t.interval = args[++i];
        else if (a == "--staves" && hasValue) t.staves = args[++i];
        else if (a == "--clef" && hasValue) t.clef = args[++i];
        else if (a == "--down") t.down = true;
        else if (!a.empty() && a[0] != '-' && t.in.empty()) t.in = a;
        else if (!a.empty() && a[0] != '-' && t.out.empty()) t.out = a;
        else return TransposeUsage;
    }
    if (t.in.empty() || t.out.empty() || (t.interval.empty() && t.clef.empty())) return TransposeUsage;
    return {};
}

} // namespace

int runTranspose(const std::vector<std::string>& args, int& argc, char* argv[]) {
    TransposeArgs t;
    if (const std::string problem = parseArgs(args, t); !problem.empty()) return fail(problem);
    TransposeRequest request;
    if (!t.interval.empty()) {
        const auto semitones = lookUp(Intervals, t.interval);
        if (!semitones) return fail("unknown interval '" + t.interval + "' (one of " + names(Intervals) + ")");
        request.distance = t.down ? -*semitones : *semitones;
    }
    if (!t.clef.empty()) {
        request.clefTarget = lookUp(Clefs, t.clef);
        if (!request.clefTarget) return fail("unknown clef '" + t.clef + "' (one of " + names(Clefs) + ")");
    }
    if (request.distance == 0 && !request.clefTarget) return fail("a unison without a clef change changes nothing");
    const auto gui = startGui(argc, argv);
    CliUi ui;
    Score score;
    if (!loadForCli(t.in, ui, score)) return fail("cannot transpose " + t.in + ": " + ui.lastError());
    const auto staves = parseNumberRange(t.staves, score.Nstaves);
    if (!staves)
        return fail("bad stave range '" + t.staves + "': " + t.in + " has staves 1 to " +
                    std::to_string(score.Nstaves));
    request.first = std::min(staves->first, staves->last), request.last = std::max(staves->first, staves->last);
    if (!Transpose(score, request, nullptr, ui)) return fail("cannot transpose " + t.in + ": " + ui.lastError());
    // Respellings the music could not take are told, but the rest is done.
    ui.reportErrors();
    ui.errors.clear();
    if (!writeScoreFile(score, t.out, {0, score.Nstaves}, WriteOptions{false, screenResolution()}, ui))
        return fail("cannot write " + t.out + ": " + ui.lastError());
    return 0;
}

} // namespace qv::cli

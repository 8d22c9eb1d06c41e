// From process start to the first page painted: the desktop program started on
// the offscreen platform with a score, ending itself once the page is on screen.
// Measured with the demo score and with a score of 255 full staves.

#include "files/scorefilewrite.h"
#include "layout/pagination.h"
#include "model/pagegeometry.h"
#include "support/randomscore.h"
#include "support/scriptedui.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path scratch() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("quaverly-bench-startup-" + std::to_string(getpid()));
        fs::create_directories(d);
        // An advanced user with no tips, so that no box waits for an answer.
        std::ofstream(d / "QUAVLY.INI") << "[User]\nLevel=3\nTutorial=1\n[Options]\nTips=0\nSound=0\n";
        return d;
    }();
    return dir;
}

// Runs the program on `score` until its first page is painted; false on failure.
bool runToFirstPage(const fs::path& score) {
    const std::string config = "QUAVERLY_CONFIG=" + (scratch() / "QUAVLY.INI").string();
    std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen", "QUAVERLY_QUIT_AFTER_FIRST_PAGE=1", config,
                                 "XDG_RUNTIME_DIR=" + scratch().string()};
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("QT_QPA_PLATFORM=", 0) != 0 && v.rfind("QUAVERLY_CONFIG=", 0) != 0) env.push_back(v);
    }
    std::vector<char*> envp;
    for (std::string& v : env)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string program = QUAVERLY_APP;
    std::string file = score.string();
    char* argv[] = {program.data(), file.data(), nullptr};
    // The offscreen platform's notices would drown the figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void measure(benchmark::State& state, const fs::path& score) {
    for (auto _ : state)
        if (!runToFirstPage(score)) state.SkipWithError("the program did not paint its first page");
}

void BM_StartupToFirstPageDemo(benchmark::State& state) {
    measure(state, fs::path(QUAVERLY_SOURCE_DIR) / "resources/demo/demo.QVR");
}
BENCHMARK(BM_StartupToFirstPageDemo)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

void BM_StartupToFirstPage255Staves(benchmark::State& state) {
    const fs::path file = scratch() / "largest.QVR";
    if (!fs::exists(file)) {
        qv::Score score = qv::test::largestScore(7);
        qv::test::ScriptedUi ui;
        // Paginated as a saved score is: pages out of step would be counted anew on
        // opening, behind a message that waits for an answer.
        qv::PageState pages;
        qv::repaginate(score, qv::musicAreaHeight(score.page, score.StvSiz), ui, pages);
        qv::writeScoreFile(score, file.string(), qv::WriteRange{0, score.Nstaves}, qv::WriteOptions{}, ui);
    }
    measure(state, file);
}
BENCHMARK(BM_StartupToFirstPage255Staves)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

} // namespace

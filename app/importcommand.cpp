#include "importcommand.h"

#include "clisupport.h"
#include "files/safewrite.h"
#include "files/scorefilewrite.h"
#include "interchange/musicxmlimport.h"

namespace qv::cli {

int runImport(const std::vector<std::string>& args, int& argc, char* argv[]) {
    if (args.size() != 2) return fail("import needs IN.musicxml (or IN.mxl) and OUT.QVR");
    const std::string& in = args[0];
    const std::string& out = args[1];
    // The score never replaces the file it comes from.
    if (out == in || sameFile(in, out)) return fail("cannot write " + out + ": it is the file being imported");
    const auto gui = startGui(argc, argv); // the layout measures texts
    CliUi ui;
    std::optional<Score> score = importMusicXml(in, ui);
    if (!score) return fail(ui.lastError());
    const WriteRange whole{0, score->Nstaves};
    if (!writeScoreFile(*score, out, whole, WriteOptions{false, screenResolution()}, ui))
        return fail("cannot write " + out + ": " + ui.lastError());
    return 0;
}

} // namespace qv::cli

#include "infocommand.h"

#include "clisupport.h"
#include "files/scoreinfo.h"
#include "model/tpagedata.h"

#include <QDir>

#include <cstdio>

namespace qv::cli {

namespace {

// The page's title without its accelerator.
std::string plainTitle(const std::string& title) {
    std::string plain;
    for (char c : title)
        if (c != '&') plain += c;
    return plain;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// "label value [value ...] [note]"; a value under a column heading is followed by it.
std::string rowLine(const InfoPage& page, const InfoRow& row) {
    std::string line = row.label;
    for (std::size_t c = 0; c < row.values.size(); ++c) {
        const std::string value = trimmed(row.values[c]);
        if (value.empty()) continue;
        line += " " + value;
        if (row.values.size() > 1 && c < page.columns.size()) line += " " + page.columns[c];
    }
    if (!row.note.empty()) line += " " + row.note;
    return line;
}

} // namespace

int runInfo(const std::vector<std::string>& args, int& argc, char* argv[]) {
    if (args.size() != 1) return fail("info needs SCORE");
    const auto gui = startGui(argc, argv); // loading measures text heights
    CliUi ui;
    Score score;
    if (!loadForCli(args[0], ui, score)) return fail("cannot read " + args[0] + ": " + ui.lastError());
    // Without a printer to ask, the values the program uses when there is none.
    const Tpagedata standard;
    InfoSources sources;
    sources.fileName = args[0];
    sources.printer = &standard;
    sources.printerName = "None (the values used without a printer)";
    sources.drive = driveFreeSpace(QDir::currentPath().toStdString());
    std::string text;
    for (const InfoPage& page : scoreInformation(score, sources)) {
        text += (text.empty() ? "" : "\n") + plainTitle(page.title) + "\n";
        for (const InfoRow& row : page.rows)
            if (!row.label.empty()) text += "  " + rowLine(page, row) + "\n";
    }
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : fail("cannot write the information");
}

} // namespace qv::cli

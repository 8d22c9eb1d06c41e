// Printing through a real CUPS queue: a private scheduler of the test's own with
// a PDF printer that writes into the test's folder, fed by QPrinter through the
// print run. Where CUPS cannot run, the test says so and is skipped.

#include "files/loader.h"
#include "print/printrun.h"
#include "shell/printjobdevice.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QPrinterInfo>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace qv {
namespace {

namespace fs = std::filesystem;

// Runs a command and returns its exit status and what it printed.
std::pair<int, std::string> run(const std::string& command) {
    std::string text;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, text};
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        text += buffer;
    return {pclose(pipe), text};
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

class Cups : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists("/usr/sbin/cupsd") || !fs::exists("/usr/sbin/lpadmin"))
            GTEST_SKIP() << "CUPS is not installed here";
        const std::string root = dir.path();
        for (const char* sub : {"spool", "cache", "state", "tmp"})
            fs::create_directory(dir.at(sub));
        socket = dir.at("cups.sock");
        writeText(dir.at("cupsd.conf"), "Listen " + socket +
                                            "\nWebInterface No\nBrowsing No\n"
                                            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n");
        writeText(dir.at("cups-files.conf"), "ServerRoot " + root + "\nRequestRoot " + dir.at("spool") +
                                                 "\nCacheDir " + dir.at("cache") + "\nStateDir " +
                                                 dir.at("state") + "\nTempDir " + dir.at("tmp") +
                                                 "\nErrorLog " + dir.at("error_log") +
                                                 "\nFileDevice Yes\nSandboxing Relaxed\n");
        std::string c = dir.at("cupsd.conf"), s = dir.at("cups-files.conf");
        char cupsd[] = "/usr/sbin/cupsd", f[] = "-f", cf[] = "-c", sf[] = "-s";
        char* argv[] = {cupsd, f, cf, c.data(), sf, s.data(), nullptr};
        if (posix_spawn(&scheduler, cupsd, nullptr, nullptr, argv, environ) != 0) GTEST_SKIP() << "cupsd cannot start";
        setenv("CUPS_SERVER", socket.c_str(), 1);
        if (!waitFor([] { return run("lpstat -r").first == 0; }))
            GTEST_SKIP() << "cupsd did not come up: " << run("cat " + dir.at("error_log")).second;
        // A busy scheduler may answer before it takes new queues: it is asked again.
        const std::string add = "lpadmin -p QuaverlyPdf -E -v file://" + dir.at("printed.pdf") +
                                " -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd";
        if (!waitFor([&add] { return run(add).first == 0; }))
            GTEST_SKIP() << "no PDF printer could be added: " << run(add).second;
    }
    void TearDown() override {
        unsetenv("CUPS_SERVER");
        if (scheduler > 0) {
            kill(scheduler, SIGTERM);
            waitpid(scheduler, nullptr, 0);
        }
    }
    template <typename Done> static bool waitFor(Done done) {
        for (int tries = 0; tries < 150; ++tries) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    test::ScratchFolder dir;
    std::string socket;
    pid_t scheduler = 0;
};

TEST_F(Cups, TwoPagesOfTheDemoArriveAsATwoPagePdf) {
    const QPrinterInfo queue = QPrinterInfo::printerInfo(QStringLiteral("QuaverlyPdf"));
    ASSERT_FALSE(queue.isNull()) << "Qt does not see the queue";
    Score score;
    test::ScriptedUi ui;
    ASSERT_TRUE(loadScore(QUAVERLY_DEMO, LoadOptions{}, ui, score));
    QPrinter printer(queue, QPrinter::HighResolution);
    QPrinterPrintDevice device(printer);
    PrintSource source{&score, QUAVERLY_DEMO, "demo.QVR", {}};
    ASSERT_EQ(printPages(source, {1, 2, 1, false}, device, ui), PrintOutcome::Printed);

    // The job leaves the queue once the printer's file is complete.
    EXPECT_TRUE(waitFor([] { return run("lpstat -o").second.empty(); })) << run("lpstat -o").second;
    const auto info = run("pdfinfo " + dir.at("printed.pdf"));
    EXPECT_NE(info.second.find("Pages:           2\n"), std::string::npos)
        << info.second << run("tail " + dir.at("error_log")).second;
}

} // namespace
} // namespace qv

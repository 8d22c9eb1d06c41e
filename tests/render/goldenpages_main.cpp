// render-goldens --out DIR: writes the drawings of the pages built in code (the
// dense page and the edge cases, screen and print) as PNG files into DIR. Run by
// ./qv goldens to refresh the approved images, and by the golden test to compare.

#include "goldenpages.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3 || std::strcmp(argv[1], "--out") != 0) {
        std::fputs("usage: render-goldens --out DIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[2];
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // texts need the GUI side of Qt
    for (const qv::test::GoldenPage& page : qv::test::builtGoldenPages()) {
        const std::string path = dir + "/" + page.name;
        if (!qv::test::renderGoldenPage(page).save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "render-goldens: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

// quaverly-iconsgen: draws the speed-button icons and the pointers and synthesises
// the click into a resource folder (normally resources/shell), and optionally a
// contact sheet to look at. See resources/shell/README.md.

#include "clickwave.h"
#include "iconart.h"
#include "pointerart.h"
#include "sheet.h"
#include "shell/pointers.h"
#include "shell/speedbuttons.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool savePng(QImage image, const QString& path) {
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "quaverly-iconsgen: cannot write %s\n", qPrintable(path));
    return false;
}

bool writeIcons(const QDir& out) {
    bool ok = out.mkpath(QStringLiteral("icons"));
    for (const qv::SpeedButtonInfo& info : qv::speedButtons()) {
        const QString base = out.filePath(QStringLiteral("icons/") + QLatin1String(info.name));
        ok = savePng(iconsgen::renderIcon(info.id, 24), base + QStringLiteral(".png")) && ok;
        ok = savePng(iconsgen::renderIcon(info.id, 48), base + QStringLiteral("@2x.png")) && ok;
    }
    return ok;
}

bool writePointers(const QDir& out) {
    bool ok = out.mkpath(QStringLiteral("pointers"));
    for (int n = qv::FirstPointer; n <= qv::LastPointer; ++n) {
        iconsgen::PointerArt art = iconsgen::renderPointer(n);
        // The hot spot travels inside the PNG, so the program reads it with the picture.
        art.image.setText(QStringLiteral("HotSpot"),
                          QStringLiteral("%1,%2").arg(art.hotSpot.x()).arg(art.hotSpot.y()));
        const QString path =
            out.filePath(QStringLiteral("pointers/%1.png").arg(QLatin1String(qv::pointerName(n))));
        ok = savePng(art.image, path) && ok;
    }
    return ok;
}

bool writeClick(const QDir& out) {
    QFile file(out.filePath(QStringLiteral("click.wav")));
    const QByteArray bytes = iconsgen::waveFile(iconsgen::clickSamples(), iconsgen::ClickSampleRate);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) return true;
    std::fprintf(stderr, "quaverly-iconsgen: cannot write %s\n", qPrintable(file.fileName()));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // Fonts for the lettered icons need the GUI side of Qt, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws the shell's icons and pointers and makes the click."));
    parser.addHelpOption();
    const QCommandLineOption outOption(
        QStringLiteral("out"), QStringLiteral("Resource folder to write into."), QStringLiteral("dir"));
    const QCommandLineOption sheetOption(
        QStringLiteral("sheet"), QStringLiteral("Also write a contact sheet PNG."), QStringLiteral("file"));
    parser.addOption(outOption);
    parser.addOption(sheetOption);
    parser.process(app);
    if (!parser.isSet(outOption) && !parser.isSet(sheetOption)) {
        std::fprintf(stderr, "quaverly-iconsgen: give --out DIR (and/or --sheet FILE)\n");
        return 2;
    }

    bool ok = true;
    if (parser.isSet(outOption)) {
        const QDir out(parser.value(outOption));
        if (!out.exists() && !QDir().mkpath(out.path())) {
            std::fprintf(stderr, "quaverly-iconsgen: cannot make %s\n", qPrintable(out.path()));
            return 1;
        }
        ok = writeIcons(out) && ok;
        ok = writePointers(out) && ok;
        ok = writeClick(out) && ok;
    }
    if (parser.isSet(sheetOption)) ok = savePng(iconsgen::contactSheet(), parser.value(sheetOption)) && ok;
    return ok ? 0 : 1;
}

#include "interchange/musicxmlimport.h"

#include "files/fileread.h"
#include "interchange/importbuild.h"
#include "interchange/importcredits.h"
#include "interchange/musicxmlreader.h"
#include "interchange/mxlarchive.h"
#include "layout/pagination.h"
#include "layout/spacing.h"
#include "layout/staves.h"
#include "model/bounds.h"
#include "model/ui.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace qv {

namespace {

// Takes the messages of the layout done on the import's behalf (a system too
// tall for its page), to be told in the one message of simplifications rather
// than a box for each.
class CollectingUi : public Ui {
  public:
    Button message(MessageType, const std::string& text, Buttons) override {
        texts.push_back(text);
        return ButtonOk;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::vector<std::string> texts;
};

struct Refusal {
    std::string why;
};

PageData pageOf(const mx::Document& doc, const ImportOptions& options) {
    PageData page = options.page;
    if (!doc.page) return page;
    const mx::PageLayout& p = *doc.page;
    page.Width = p.width;
    page.Length = p.height;
    page.LeftM = p.left;
    page.RightM = p.right;
    page.TopM = p.top;
    page.BotM = p.bottom;
    page.GutM = page.Header = page.Footer = 0;
    page.landscape = p.width > p.height;
    boundPaper(page);
    boundMargins(page);
    return page;
}

std::string millimetres(double inches) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f mm", inches * MillimetresPerInch);
    return text;
}

ImportFonts registerFonts(Score& score, Ui& ui) {
    ImportFonts f;
    f.words = score.fonts.registerFont(FontDesc{"Times New Roman", 10, FontItalic, 0}, ui);
    f.dynamics = score.fonts.registerFont(FontDesc{"Times New Roman", 10, FontBold | FontItalic, 0}, ui);
    f.chords = score.fonts.registerFont(FontDesc{"Times New Roman", 11, FontBold, 0}, ui);
    f.tuplets = score.fonts.registerFont(FontDesc{"Times New Roman", 8, FontItalic, 0}, ui);
    score.NumFonts = score.fonts.highestInUse();
    return f;
}

std::vector<std::uint8_t> rootBytes(const std::vector<std::uint8_t>& bytes) {
    if (!looksLikeZip(bytes)) return bytes;
    ArchiveResult root = readMxlRootFile(bytes);
    if (!root.ok()) throw Refusal{root.problem};
    return std::move(root.bytes);
}

Score importDocument(const mx::Document& doc, const ImportOptions& options, std::vector<std::string>& simplified) {
    const ImportPlan plan = planImport(doc);
    if (plan.staves.size() > static_cast<std::size_t>(MaxStaves))
        throw Refusal{"it has " + std::to_string(plan.staves.size()) + " staves, and a score holds at most " +
                      std::to_string(MaxStaves)};
    if (plan.measures.empty()) throw Refusal{"it has no measures"};
    for (const std::string& s : plan.simplified)
        if (std::find(simplified.begin(), simplified.end(), s) == simplified.end()) simplified.push_back(s);
    Score score;
    score.page = pageOf(doc, options);
    const double preferred = std::clamp(doc.staveSize.value_or(options.staveSize), MinStaveSize, MaxStaveSize);
    const std::optional<ImportFit> fit =
        fitImport(plan, preferred, options.spacing,
                  [&](double size) { return musicAreaWidth(score.page, size) - NewStaveRightMargin; });
    if (!fit)
        throw Refusal{"its " + std::to_string(plan.measures.size()) + " measures need more than " +
                      std::to_string(MaxStaves) + " staves even at the smallest stave size and the closest spacing"};
    score.StvSiz = fit->staveSize;
    score.Spacing = fit->grade;
    score.Pulse = ImportPulse;
    if (std::abs(fit->staveSize - preferred) > 1e-9 || fit->grade != std::clamp(options.spacing, 1, 5))
        simplified.push_back("the music needs more than " + std::to_string(MaxStaves) + " staves at a stave size of " +
                             millimetres(preferred) + ": the stave size is " + millimetres(fit->staveSize) +
                             " and the spacing \"" + spacingName(fit->grade) + "\"");
    CollectingUi quiet;
    const ImportFonts fonts = registerFonts(score, quiet);
    buildImport(score, plan, *fit, fonts, simplified);
    placeCredits(score, doc, quiet);
    score.NumFonts = score.fonts.highestInUse();
    PageState state;
    repaginate(score, musicAreaHeight(score.page, score.StvSiz), quiet, state);
    // One line for the systems taller than a page, however many there are.
    if (!quiet.texts.empty())
        simplified.push_back(std::to_string(quiet.texts.size()) + " system(s) taller than a page run over its foot");
    return score;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text = SimplifiedMessage;
    for (const std::string& l : lines) text += "\n- " + l;
    return text;
}

} // namespace

std::optional<Score> importMusicXmlBytes(const std::vector<std::uint8_t>& bytes, const std::string& name, Ui& ui,
                                         const ImportOptions& options) {
    std::vector<std::string> simplified;
    std::optional<Score> score;
    try {
        if (bytes.size() > MaxMusicXmlBytes) throw Refusal{"it is larger than 64 MB"};
        MusicXmlRead read = readMusicXml(rootBytes(bytes));
        if (!read.document) throw Refusal{read.problem};
        simplified = read.document->simplified;
        score = importDocument(*read.document, options, simplified);
    } catch (const Refusal& refusal) {
        showError(ui, formatMessage(ImportFailedMessage, name) + refusal.why);
        return std::nullopt;
    }
    if (!simplified.empty()) showWarning(ui, joined(simplified));
    return score;
}

std::optional<Score> importMusicXml(const std::string& path, Ui& ui, const ImportOptions& options) {
    const std::string name = std::filesystem::path(path).filename().string();
    const FileContents contents = readRegularFile(path, MaxMusicXmlBytes);
    if (!contents.ok()) {
        showError(ui, formatMessage(ImportFailedMessage, name) + readProblemText(contents));
        return std::nullopt;
    }
    return importMusicXmlBytes(contents.bytes, name, ui, options);
}

} // namespace qv

#include "edit/navigation.h"

#include "edit/blockplacing.h"

#include "model/ui.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qv {

namespace {

struct GotoWords {
    const char* caption;
    const char* prompt;
    const char* capitalised; // the message's first word
    const char* plain;       // its second
};

GotoWords wordsFor(GotoTarget target) {
    switch (target) {
    case GotoTarget::Page:
        return {"Goto Page Number", "Enter page to go to", "Page ", "page"};
    case GotoTarget::System:
        return {"Goto System Number", "Enter system number to go to", "System", "system"};
    case GotoTarget::Stave:
        return {"Goto Stave Number", "Enter stave number to go to", "Stave", "stave"};
    }
    return {"", "", "", ""};
}

int lastOf(const Score& score, GotoTarget target) {
    switch (target) {
    case GotoTarget::Page:
        return pageCount(score);
    case GotoTarget::System:
        return systemNumber(score, score.Nstaves);
    case GotoTarget::Stave:
        return score.Nstaves;
    }
    return 1;
}

// A whole number, optionally signed and surrounded by blanks; nothing else.
bool parseWholeNumber(const std::string& text, int& out) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return false;
    if (value < -1000000 || value > 1000000) out = value < 0 ? -1000000 : 1000000;
    else out = int(value);
    return true;
}

std::string missingMessage(GotoTarget target, int asked, int moved) {
    const GotoWords w = wordsFor(target);
    std::string text = formatMessage(GotoMissingMessage, std::string(w.capitalised));
    text = formatMessage(text, long(asked));
    text = formatMessage(text, std::string(w.plain));
    return formatMessage(text, long(moved));
}

bool navigable(const EditSession& session) {
    return session.score.Nstaves >= 1 && !session.editor.inHeaderFooterScreen();
}

// Shows the page of stave s with s current.
void showStave(EditSession& session, int s) {
    Editor& ed = session.editor;
    const int page = session.score.stave(s).PageNum;
    const bool pageChanges = page != ed.currentPage();
    const int old = ed.currentStave();
    ed.page.pages = pageCount(session.score);
    makeStaveCurrent(session, s);
    ed.page.currentPage = page;
    if (pageChanges) {
        session.host.showCurrentPage();
    } else if (old != s && ed.mode != ModeNothing) {
        // On the same page only the highlight moves, so that the purple stave is
        // always the one input goes to.
        session.host.drawStave(old, false);
        session.host.drawStave(s, true);
    }
    session.host.scrollStaveIntoView(s);
    session.host.updateStatus();
}

void openHeaderFooterScreen(EditSession& session) {
    const PageData& page = session.score.page;
    if (page.Header < 0.1 && page.Footer < 0.1) {
        showWarning(session.ui, headerFooterTooSmallMessage(page));
        return;
    }
    Editor& ed = session.editor;
    session.ui.setBusy(true);
    ed.savedPage = ed.currentPage();
    ed.page.currentStave = 0;
    ed.page.currentPage = 0;
    session.host.showCurrentPage();
    session.ui.setBusy(false);
    SetMode(session, ModeHeadFoot);
    session.host.setHeaderFooterCaption(true);
    session.host.updateStatus();
}

void closeHeaderFooterScreen(EditSession& session) {
    Editor& ed = session.editor;
    ed.page.pages = pageCount(session.score);
    const int page = std::clamp(ed.savedPage, 1, std::max(1, ed.page.pages));
    const int first = firststaveonpage(session.score, page, session.ui);
    ed.page.currentPage = page;
    ed.page.currentStave = first >= 1 ? first : 1;
    makeStaveCurrent(session, ed.page.currentStave);
    ed.page.currentPage = page;
    session.host.showCurrentPage();
    session.host.setHeaderFooterCaption(false);
    SetMode(session, ModeMusic);
    session.host.updateStatus();
}

} // namespace

void makeStaveCurrent(EditSession& session, int s) {
    setCurrentStave(session.score, session.editor.page, s, session.settings.Level,
                    session.editor.inHeaderFooterScreen() && s == 0);
    refreshTools(session);
}

void gotoCommand(EditSession& session, GotoTarget target) {
    if (!navigable(session)) return;
    const GotoWords w = wordsFor(target);
    const auto answer = session.ui.inputBox(w.caption, w.prompt, "");
    int n = 0;
    if (!answer || !parseWholeNumber(*answer, n)) return;
    gotoNumber(session, target, n);
}

void gotoNumber(EditSession& session, GotoTarget target, int n) {
    if (!navigable(session)) return;
    const int last = std::max(1, lastOf(session.score, target));
    const int moved = std::clamp(n, 1, last);
    if (moved != n && session.settings.Level <= Standard)
        showInformation(session.ui, missingMessage(target, n, moved));
    switch (target) {
    case GotoTarget::Page: {
        const int s = firststaveonpage(session.score, moved, session.ui);
        if (s >= 1) showStave(session, s);
        break;
    }
    case GotoTarget::System:
        showStave(session, std::min(firstStaveOfSystem(session.score, moved), session.score.Nstaves));
        break;
    case GotoTarget::Stave:
        showStave(session, moved);
        break;
    }
}

void gotoTop(EditSession& session) {
    if (navigable(session)) showStave(session, 1);
}

void gotoEnd(EditSession& session) {
    if (!navigable(session)) return;
    const int last = session.score.Nstaves;
    // Moved before the stave is shown, so that the cursor is drawn where it now is.
    session.editor.cursorX = session.score.stave(last).LeftX + 20;
    showStave(session, last);
}

void stepPage(EditSession& session, int direction) {
    if (!navigable(session)) return;
    // While a block is being placed the page commands carry it instead of the view.
    if (placingBlock(session)) return carryBlockToPage(session, direction);
    const int page = session.editor.currentPage() + direction;
    if (page < 1 || page > pageCount(session.score)) return;
    const int s = firststaveonpage(session.score, page, session.ui);
    if (s >= 1) showStave(session, s);
}

void toggleHeaderFooterScreen(EditSession& session) {
    if (session.editor.inHeaderFooterScreen()) closeHeaderFooterScreen(session);
    else openHeaderFooterScreen(session);
}

std::string headerFooterTooSmallMessage(const PageData& page) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "Header and footer size are too small. Size must be at least %1.2f\" (%1.1fmm)\n\n"
                  "First set at least one of these with Page Layout.\n\n"
                  "Current header is set to %1.2f\" (%1.1fmm)\nand current footer to %1.2f\" (%1.1fmm).",
                  0.1, 2.54, page.Header, page.Header * 25.4, page.Footer, page.Footer * 25.4);
    return text;
}

void settleOpenedPages(Score& score, PageState& state, Ui& ui) {
    if (!pagesConsistent(score)) {
        const bool modified = score.modified;
        repaginate(score, musicAreaHeight(score.page, score.StvSiz), ui, state);
        score.modified = modified; // the file is as it was; only its pages are counted anew
    }
    state.pages = pageCount(score);
}

std::string statusLine(const Editor& editor, const Score& score, bool blockCopying) {
    const int s = editor.currentStave();
    const int objects = (s >= 0 && s <= score.Nstaves) ? int(score.stave(s).Nobjec) : 0;
    std::string line;
    if (s == 0) {
        line = "Header/Footer screen. " + std::to_string(objects) + " objects.";
    } else {
        line = "Page " + std::to_string(editor.currentPage()) + " of " + std::to_string(pageCount(score)) +
               "   System " + std::to_string(systemNumber(score, s)) + " of " +
               std::to_string(systemNumber(score, score.Nstaves)) + "   Stave " + std::to_string(s) + " of " +
               std::to_string(score.Nstaves) + ":  " + std::to_string(objects) + " objects.";
    }
    return blockCopying ? "Copy to: " + line : line;
}

int nearestStave(const Score& score, int page, int y) {
    int best = 0;
    int bestDistance = 0;
    for (int s = 1; s <= score.Nstaves; ++s) {
        if (score.stave(s).PageNum != page) continue;
        const int d = std::abs(score.stave(s).Ycoord - y);
        if (best == 0 || d < bestDistance) {
            best = s;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace qv

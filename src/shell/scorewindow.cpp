#include "shell/scorewindow.h"

#include "edit/attributes/showattributes.h"
#include "edit/currentobject.h"
#include "edit/eventrouting.h"
#include "edit/information.h"
#include "edit/layoutcommands.h"
#include "edit/mergecommand.h"
#include "edit/musicentry.h"
#include "edit/musicxmlcommand.h"
#include "edit/navigation.h"
#include "edit/pagelayout.h"
#include "edit/picturecommands.h"
#include "edit/prompts.h"
#include "edit/shapecommand.h"
#include "edit/stavecommands.h"
#include "edit/transposecommand.h"
#include "edit/undocommand.h"
#include "files/partialsave.h"
#include "files/templates.h"
#include "layout/pagination.h"
#include "layout/tidystave.h"
#include "model/tpagedata.h"
#include "model/ui.h"
#include "render/cursor.h"
#include "render/dispatch.h"
#include "render/page.h"
#include "shell/attachmentlines.h"
#include "shell/framelink.h"
#include "shell/inputevents.h"
#include "shell/pageview.h"
#include "shell/placingmarks.h"
#include "shell/pointers.h"
#include "shell/previewpanel.h"
#include "shell/printcommand.h"
#include "shell/printerchoice.h"
#include "shell/promptplacement.h"
#include "shell/windowmenus.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace qv {

namespace {

QColor fromBgr(std::uint32_t bgr) { return toQColor(bgr); }

// The items whose commands exist; the others are shown, disabled, until they do.
bool wired(const QString& name) {
    static const QStringList names{
        "FileSaveItem", "FileSaveAsItem", "SaveAsTemplate", "SavePartOfScore", "MergeAfter", "MergeBefore",
        "FileCloseItem", "filePreview",
        "EnterMusic",   "GotoEditMode", "gototextmode", "gotolinemode", "gotoCurveMode", "GotoHairpinMode",
        "GotoSymbolMode", "gotodrawingmode", "pageRedraw", "Justifyright", "Compress", "chopleft", "Chopright",
        "NewStaveAbove", "NewStaveBelow", "DeleteStaveitem", "Binding", "AppendNewSystem", "PlaceAnotherSystem",
        "StaveSize",    "PcxOutput",     "ExportMusicXml", "PageLayout",    "FilePrintItem", "FilePrintSetupItem",
        "Repaginateitem", "DefineHeadersFooters", "Nextpage", "PreviousPage", "GotoPage", "GotoSystem",
        "GotoStave",    "GotoTop",        "GotoEnd",       "SortStave",     "Transpose",     "Undo1",
        "PlaceClef",    "PlaceKeysignature", "PlaceTimeSignature", "ZoomIn", "ZoomOut", "ZoomActual",
        "ZoomFitWidth", "ZoomFitPage", "Information"};
    return names.contains(name);
}

bool ruleAllows(EnableRule rule, const MenuState& m) {
    switch (rule) {
    case EnableRule::Always:
        return true;
    case EnableRule::FileCommands:
        return m.fileCommands;
    case EnableRule::AdvancedFile:
        return m.advancedFile;
    case EnableRule::PageCommands:
        return m.pageCommands;
    case EnableRule::RefreshCommands:
        return m.refreshCommands;
    case EnableRule::MusicCommands:
        return m.musicCommands;
    case EnableRule::AdvancedMusic:
        return m.advancedMusic;
    case EnableRule::ModeButton:
    case EnableRule::Hidden:
        return false;
    }
    return false;
}

// The mode item and the button that decides it.
const ButtonState* modeButtonFor(const QString& name, const ToolState& t) {
    if (name == "EnterMusic") return &t.sbMusic;
    if (name == "gototextmode") return &t.sbText;
    if (name == "gotolinemode") return &t.sbLine;
    if (name == "gotoCurveMode") return &t.sbcurve;
    if (name == "GotoHairpinMode") return &t.sbHairpin;
    if (name == "GotoSymbolMode") return &t.sbsymbol;
    if (name == "gotodrawingmode") return &t.sbdraw;
    if (name == "GotoEditMode") return &t.sbEdit;
    return nullptr;
}

} // namespace

ScoreWindow::ScoreWindow(Document document, Settings& settings, Ui& ui, FrameLink& frame,
                         PrinterChoice& printers, QWidget* parent)
    : QWidget(parent), document_(std::move(document)), settings_(settings), ui_(ui), frame_(frame),
      printers_(printers), session_{document_.score, editor_, settings_, ui_, *this, &document_.fileName} {
    setObjectName(QStringLiteral("TMDIChild"));
    setFocusPolicy(Qt::StrongFocus);
    dc_.colours = coloursFrom(settings_.colours);
    dc_.scrollIntoView = [this](int x, int y) {
        const QPoint w = view_->toWidget(QPoint(x, y));
        scroll_->ensureVisible(w.x(), w.y(), 40, 40);
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    stack_ = new QStackedWidget(this);
    layout->addWidget(stack_);
    scroll_ = new QScrollArea(stack_);
    scroll_->setObjectName(QStringLiteral("ScrollBox1"));
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setStyleSheet(QStringLiteral("QScrollArea { background: #008080; }"));
    view_ = new PageView;
    view_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    stack_->addWidget(scroll_);
    preview_ = new PreviewPanel(document_.score, dc_.colours, stack_);
    preview_->onCancel = [this] { SetMode(session_, ModeMusic); };
    stack_->addWidget(preview_);

    prompt_ = new QLabel(nullptr, Qt::ToolTip);
    prompt_->setObjectName(QStringLiteral("prompt"));
    prompt_->setWordWrap(true);
    prompt_->setStyleSheet(QStringLiteral("QLabel { background: #00ff00; color: black; padding: 4px; }"));

    holdTimer_.setSingleShot(true);
    holdTimer_.setInterval(1000);
    connect(&holdTimer_, &QTimer::timeout, this, [this] {
        holdTimerFired(session_);
        refreshCaption();
    });
    noviceTimer_.setInterval(100);
    connect(&noviceTimer_, &QTimer::timeout, this, [this] { onNoviceTimer(); });

    createActions();
    wireActions();
    connectView();
    installLayoutHooks(document_.score);
    document_.score.undo.open(settings_.options.Undo);
    document_.score.hooks.refreshStatus = [this](Score&, int s) {
        if (s == editor_.currentStave()) updateStatus();
        refreshCaption();
    };
}

ScoreWindow::~ScoreWindow() {
    delete prompt_;
    for (QMenu* m : menus_)
        delete m;
}

QAction* ScoreWindow::action(const QString& name) const {
    const auto found = actions_.find(name);
    return found == actions_.end() ? nullptr : found->second;
}

std::vector<QAction*> ScoreWindow::fileItems() const {
    std::vector<QAction*> items;
    for (const WindowItem& item : windowItems())
        if (item.menu == WindowMenu::File) items.push_back(action(item.name));
    return items;
}

void ScoreWindow::createActions() {
    std::map<WindowMenu, QMenu*> menus;
    std::vector<QKeySequence> taken;
    for (const WindowItem& item : windowItems()) {
        auto* a = new QAction(QString::fromUtf8(item.caption), this);
        a->setObjectName(QString::fromUtf8(item.name));
        // Two items may name one key (Ctrl+N adds a system from the Place and the Stave
        // menus): the first keeps it, as a key that belongs to two actions acts for neither.
        const QKeySequence keys(item.keys);
        if (item.keys.key() != Qt::Key(0) && std::find(taken.begin(), taken.end(), keys) == taken.end()) {
            a->setShortcut(keys);
            taken.push_back(keys);
        }
        a->setShortcutContext(Qt::WindowShortcut);
        a->setEnabled(false);
        if (item.rule == EnableRule::Hidden) a->setVisible(false);
        actions_[a->objectName()] = a;
        if (item.menu == WindowMenu::File) continue; // merged into the frame's File menu
        if (item.menu == WindowMenu::Goto || item.menu == WindowMenu::Zoom) continue; // submenus, below
        if (!menus.count(item.menu)) {
            auto* m = new QMenu(windowMenuTitle(item.menu));
            menus[item.menu] = m;
            menus_.push_back(m);
        }
        menus[item.menu]->addAction(a);
        addAction(a); // shortcuts work while the menu is not open
    }
    auto* gotoMenu = menus[WindowMenu::Page]->addMenu(windowMenuTitle(WindowMenu::Goto));
    for (const WindowItem& item : windowItems()) {
        if (item.menu == WindowMenu::Goto) gotoMenu->addAction(action(item.name));
        if (item.menu == WindowMenu::File) addAction(action(item.name));
    }
    createZoomMenu(menus[WindowMenu::Page]);
    for (QMenu* m : menus_)
        connect(m, &QMenu::aboutToShow, this, [this] { editor_.swallowNextKeyRelease = true; });
}

void ScoreWindow::wireActions() {
    const auto on = [this](const char* name, auto slot) {
        connect(action(QString::fromUtf8(name)), &QAction::triggered, this, slot);
    };
    on("FileSaveItem", [this] { saveCommandFromMenu(false); });
    on("FileSaveAsItem", [this] { saveCommandFromMenu(true); });
    on("SaveAsTemplate", [this] {
        TemplateContext context;
        context.screenResolution = document_.screenResolution;
        saveAsTemplate(document_.score, document_.fileName, settings_, ui_, context);
    });
    on("SavePartOfScore", [this] {
        savePartOfScore(document_.score, editor_.currentStave(), settings_, ui_, document_.screenResolution);
    });
    on("MergeAfter", [this] { mergeAfter(session_); });
    on("MergeBefore", [this] { mergeBefore(session_); });
    on("FileCloseItem", [this] {
        if (editor_.mode == ModePreview) SetMode(session_, ModeMusic);
        if (onCloseRequested) onCloseRequested();
    });
    on("filePreview", [this] { SetMode(session_, ModePreview); });
    on("PcxOutput", [this] { pcxOutputCommand(session_); });
    on("ExportMusicXml", [this] { exportMusicXmlCommand(session_); });
    on("Information", [this] { informationFromMenu(); });
    on("EnterMusic", [this] {
        SetMode(session_, editor_.previousMode == ModeHeadFoot ? ModeHeadFoot : ModeMusic);
    });
    on("GotoEditMode", [this] { modeCommand(ModeEdit); });
    on("gototextmode", [this] { modeCommand(ModeText); });
    on("gotolinemode", [this] { modeCommand(ModeLine); });
    on("gotoCurveMode", [this] { modeCommand(ModeCurve); });
    on("GotoHairpinMode", [this] { modeCommand(ModeHairpin); });
    on("GotoSymbolMode", [this] { modeCommand(ModeSymbol); });
    on("gotodrawingmode", [this] { shapeCommand(session_); });
    on("pageRedraw", [this] { redrawPage(); });
    on("NewStaveAbove", [this] { placeCommand(newStaveAbove); });
    on("NewStaveBelow", [this] { placeCommand(newStaveBelow); });
    on("DeleteStaveitem", [this] { placeCommand(deleteStave); });
    on("Binding", [this] { placeCommand(bindingDialog); });
    on("AppendNewSystem", [this] { placeCommand(anotherSystem); });
    on("PlaceAnotherSystem", [this] { placeCommand(anotherSystem); });
    on("StaveSize", [this] { staveSize(session_); });
    on("Justifyright", [this] { justifyRightFromCursor(session_); });
    on("Compress", [this] { compressLeftOrRight(session_); });
    on("chopleft", [this] { cutOffLeftAtCursor(session_); });
    on("Chopright", [this] { cutOffRightAtCursor(session_); });
    on("Repaginateitem", [this] { repaginateCommand(); });
    on("PageLayout", [this] { pageLayout(session_, printers_.device()); });
    on("FilePrintItem", [this] { printFromMenu(); });
    on("FilePrintSetupItem", [this] { printSetupFromMenu(); });
    on("DefineHeadersFooters", [this] { toggleHeaderFooterScreen(session_); });
    on("Nextpage", [this] { stepPage(session_, +1); });
    on("PreviousPage", [this] { stepPage(session_, -1); });
    on("GotoPage", [this] { gotoCommand(session_, GotoTarget::Page); });
    on("GotoSystem", [this] { gotoCommand(session_, GotoTarget::System); });
    on("GotoStave", [this] { gotoCommand(session_, GotoTarget::Stave); });
    on("GotoTop", [this] { gotoTop(session_); });
    on("GotoEnd", [this] { gotoEnd(session_); });
    on("SortStave", [this] { sortStaveCommand(); });
    on("Transpose", [this] { transposeCommand(session_); });
    on("Undo1", [this] { undoCommand(session_); });
    // The Place items make the provisional object as their keys in Music mode do,
    // then open its attributes dialog.
    on("PlaceClef", [this] { placeCommand(clefKey, true); });
    on("PlaceKeysignature", [this] { placeCommand([](EditSession& s) { keySignatureKey(s, +1); }, true); });
    on("PlaceTimeSignature", [this] { placeCommand(timeSignatureKey, true); });
    // Connected last, so that the caption follows whatever the item changed. The key
    // of a shortcut is often let go after its Ctrl: its release alone must not act as
    // a music key (the next key pressed ends the swallowing, so a menu click is safe).
    for (const auto& [name, a] : actions_)
        connect(a, &QAction::triggered, this, [this] {
            editor_.swallowNextKeyRelease = true;
            refreshCaption();
        });
}

void ScoreWindow::connectView() {
    // Every mouse event carries the time on the press's clock (a short drag is a click).
    const auto timed = [](const PageView::MouseEvent& e) {
        MouseEvent m = toMouseEvent(e);
        m.time = static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
        return m;
    };
    view_->onPress = [this, timed](const PageView::MouseEvent& e) {
        const MouseEvent m = timed(e);
        mousePressed(session_, m, m.time);
        refreshCaption();
    };
    view_->onMove = [this, timed](const PageView::MouseEvent& e) { mouseMoved(session_, timed(e)); };
    view_->onRelease = [this, timed](const PageView::MouseEvent& e) {
        mouseReleased(session_, timed(e));
        refreshCaption();
    };
    view_->onDoubleClick = [this, timed](const PageView::MouseEvent& e) {
        mouseDoubleClicked(session_, timed(e));
        refreshCaption();
    };
    view_->onZoomWheel = [this](int steps, QPointF at) {
        int percent = zoomPercent_;
        for (; steps > 0; --steps) percent = zoomedIn(percent);
        for (; steps < 0; ++steps) percent = zoomedOut(percent);
        setZoom(percent, ZoomFit::None, at);
    };
    view_->onDeviceScaleChanged = [this] { redrawSurface(); };
}

// The mode items act from Music mode; Edit, Text and Line also from the
// header/footer screen. Edit first takes the cursor mark away.
void ScoreWindow::modeCommand(int mode) {
    const bool fromHeadFoot = mode == ModeEdit || mode == ModeText || mode == ModeLine;
    if (editor_.mode != ModeMusic && !(fromHeadFoot && editor_.mode == ModeHeadFoot)) return;
    if (mode == ModeEdit) setCursorMark(false);
    RequestMode(session_, mode);
}

void ScoreWindow::placeCommand(void (*command)(EditSession&), bool thenAttributes) {
    if (editor_.mode != ModeMusic) return;
    command(session_);
    if (thenAttributes && document_.score.provisional.present) ShowAttributes(session_);
}

void ScoreWindow::activate() {
    if (activated_) return;
    activated_ = true;
    editor_.mode = ModeNothing;
    settleOpenedPages(document_.score, editor_.page, ui_);
    const int first = document_.score.Nstaves >= 1 ? 1 : 0;
    setCurrentStave(document_.score, editor_.page, first, settings_.Level, false);
    editor_.page.currentPage = first ? document_.score.stave(1).PageNum : 0;
    editor_.cursorX = first ? document_.score.stave(1).LeftX + 20 : 0;
    showCurrentPage();
    showModeLabel(ModeNothing, true);
    window()->installEventFilter(this);
    refreshTools(session_);
    if (settings_.Level == Beginner) noviceTimer_.start();
    setFocus();
}

void ScoreWindow::levelChanged() {
    refreshTools(session_);
    if (settings_.Level == Beginner) noviceTimer_.start();
    if (settings_.Level >= Advanced) promptsOff();
}

// ---------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------

ScoreWindow::ScreenPage ScoreWindow::screenPage() const {
    const Score& score = document_.score;
    const int page = editor_.currentPage();
    // The header/footer page shows the header and footer strips as well as the
    // music area.
    int width = musicAreaWidth(score.page, score.StvSiz);
    int height = page == 0 ? printedHeight(score.page, score.StvSiz) : musicAreaHeight(score.page, score.StvSiz);
    const bool wholePaper = settings_.Pageview && page != 0;
    const ScreenOffset offset = marginOffset(score.page, score.StvSiz, wholePaper);
    const QPoint origin(offset.x, offset.y);
    if (wholePaper) {
        // The whole paper, the music area set in by the left and top margins.
        width = std::max(width + origin.x(), roundHalfEven(toPageUnits(score.page.Width, score.StvSiz)));
        height = std::max(height + origin.y(), roundHalfEven(toPageUnits(score.page.Length, score.StvSiz)));
    }
    return {QSize(width, height), origin};
}

void ScoreWindow::showCurrentPage() {
    // A fresh page has no cursor on it; one that was showing follows to the current stave.
    const bool cursorShown = dc_.cursor.shown;
    newSurface();
    drawCurrentPage();
    if (cursorShown) setCursorMark(true);
    scroll_->verticalScrollBar()->setValue(0);
    updateStatus();
}

PageOptions ScoreWindow::pageOptions(int highlighted) const {
    PageOptions options;
    options.pageView = settings_.Pageview;
    options.fastCpu = settings_.options.FastCPU;
    options.currentStave = editor_.currentStave();
    options.highlightedStave = highlighted;
    options.filePath = document_.fileName;
    if (objectDragged_) {
        options.hiddenStave = editor_.currentStave();
        options.hiddenObject = editor_.currentObject;
    }
    return options;
}

void ScoreWindow::drawCurrentPage() {
    // Before the first mode the page shows no current stave.
    const int highlighted = editor_.mode == ModeNothing ? -1 : editor_.currentStave();
    DrawPage(dc_, document_.score, editor_.currentPage(), pageOptions(highlighted));
    view_->update();
}

ScoreWindow::XorMarks ScoreWindow::takeOffXorMarks() {
    XorMarks m{dc_.cursor.shown, provisionalShown_, objectDragged_ && currentShown_, marksShown_};
    setCursorMark(false);
    setProvisionalMark(false);
    if (m.current) setCurrentObjectMark(false);
    showPlacingMarks({});
    return m;
}

void ScoreWindow::putBackXorMarks(const XorMarks& m) {
    showPlacingMarks(m.placing);
    if (m.current) setCurrentObjectMark(true);
    if (m.provisional) setProvisionalMark(true);
    if (m.cursor) setCursorMark(true);
}

// Draws the staves of the page that reach into the band again, stave `highlighted`
// in the current-stave colour.
void ScoreWindow::drawBand(int top, int bottom, int highlighted) {
    // What is drawn by exclusive-or comes off before the band is cleared and goes
    // back after, so that a part of it outside the band stays right.
    const XorMarks marks = takeOffXorMarks();
    RedrawBand(dc_, document_.score, editor_.currentPage(), top, bottom, pageOptions(highlighted));
    putBackXorMarks(marks);
    // A highlighted current object is drawn over its own drawing in the Edit colour.
    if (currentShown_ && !objectDragged_) drawCurrentObject(false);
    view_->update();
}

void ScoreWindow::redrawPage() {
    // The page is drawn afresh, without what was drawn on it by exclusive-or; those
    // marks but the cursor (the modes ask for it) are drawn again.
    XorMarks marks{false, provisionalShown_, objectDragged_ && currentShown_, marksShown_};
    provisionalShown_ = false;
    marksShown_ = {};
    if (marks.current) currentShown_ = false;
    drawCurrentPage();
    putBackXorMarks(marks);
    if (currentShown_ && !objectDragged_) drawCurrentObject(false);
    updateStatus();
}

void ScoreWindow::redrawStaves(int first, int last) {
    const Score& score = document_.score;
    if (first < 0 || last > score.Nstaves || first > last) return redrawPage();
    drawBand(score.stave(first).MinY, score.stave(last).MaxY,
             editor_.mode == ModeMusic ? editor_.currentStave() : -1);
}

void ScoreWindow::drawStave(int s, bool highlighted) {
    if (s < 0 || s > document_.score.Nstaves) return;
    const Stave& st = document_.score.stave(s);
    drawBand(st.MinY, st.MaxY, highlighted ? s : -1);
}

void ScoreWindow::setCursorMark(bool shown) {
    const int s = editor_.currentStave();
    if (shown == dc_.cursor.shown) return;
    if (s < 1 || s > document_.score.Nstaves) return; // none in the header/footer screen
    if (shown) {
        DrawCursor(dc_, editor_.cursorX, document_.score.stave(s).Ycoord, settings_.options.Cursorthickness,
                   settings_.options.Cursortype);
    } else {
        DrawCursor(dc_, dc_.cursor.x, dc_.cursor.y, settings_.options.Cursorthickness,
                   settings_.options.Cursortype);
    }
    dc_.cursor.shown = shown;
    view_->update();
}

// ---------------------------------------------------------------------------------
// The mode label, pointer, tools, prompts and sound
// ---------------------------------------------------------------------------------

void ScoreWindow::showModeLabel(int mode, bool inColour) {
    frame_.showModeLabel(QString::fromUtf8(modeInfo(mode).label),
                         inColour ? fromBgr(modeInfo(mode).colour) : QColor(Qt::black));
}

void ScoreWindow::setPagePointer(int mode) {
    int pointer = modeInfo(mode).pointer;
    if (pointer == PointerEditSetting) pointer = settings_.options.EditCursor;
    if (pointer == PointerCross) pointer = CrossPointer;
    if (pointer == PointerHourglass) view_->setCursor(Qt::WaitCursor);
    else if (pointer == PointerArrow) view_->setCursor(Qt::ArrowCursor);
    else view_->setCursor(programPointer(pointer));
}

void ScoreWindow::applyTools(const ToolState& tools, const MenuState& menus) {
    frame_.showTools(tools);
    for (const WindowItem& item : windowItems()) {
        QAction* a = action(item.name);
        bool on = ruleAllows(item.rule, menus);
        if (item.rule == EnableRule::ModeButton) {
            const ButtonState* b = modeButtonFor(item.name, tools);
            on = b && b->enabled;
        }
        a->setEnabled(on && wired(item.name));
    }
    updateStatus();
}

void ScoreWindow::showPrompt(int number) {
    if (settings_.Level >= Advanced) return promptsOff();
    const QString text = QString::fromStdString(promptText(number));
    if (text.isEmpty()) return;
    editor_.promptNumber = number;
    editor_.hintsShown = true;
    prompt_->setText(text);
    prompt_->setMaximumWidth(settings_.Level == Beginner ? 400 : 200);
    prompt_->adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    prompt_->move(placePrompt(prompt_->size(), QCursor::pos(), promptKeepsClearOf(),
                              screen ? screen->availableGeometry() : QRect()));
    if (isVisible()) prompt_->show();
}

// On the screen: the preview when it is shown, and the clefs of the current stave.
std::vector<QRect> ScoreWindow::promptKeepsClearOf() const {
    std::vector<QRect> rects;
    if (preview_->isVisible()) rects.emplace_back(preview_->mapToGlobal(QPoint()), preview_->size());
    const int s = editor_.currentStave();
    if (s < 1 || s > document_.score.Nstaves || !view_->isVisible()) return rects;
    const Stave& stave = document_.score.stave(s);
    for (int i = 1; i <= stave.Nobjec; ++i) {
        const ScoreObject& clef = stave.object(i);
        if (!clef.is(ObjectKind::Clef)) continue;
        // A clef reaches a little beyond the five lines, a stave-height wide at most.
        const QRect page(clef.x() - 4, stave.Ycoord - 32, 36, 64);
        rects.emplace_back(view_->mapToGlobal(view_->toWidget(page.topLeft())), page.size() * view_->zoom());
    }
    return rects;
}

void ScoreWindow::promptsOff() {
    editor_.hintsShown = false;
    prompt_->hide();
    prompt_->clear();
}

bool ScoreWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::WindowBlocked) prompt_->hide();
    if (watched == window() && event->type() == QEvent::WindowUnblocked && editor_.hintsShown &&
        !prompt_->text().isEmpty() && isVisible())
        prompt_->show();
    return QWidget::eventFilter(watched, event);
}

QString ScoreWindow::promptShown() const { return editor_.hintsShown ? prompt_->text() : QString(); }

void ScoreWindow::onNoviceTimer() {
    if (settings_.Level != Beginner) {
        promptsOff();
        noviceTimer_.stop();
        return;
    }
    // The prompt of Music or Edit mode never stays over the preview.
    if (editor_.mode == ModePreview && editor_.hintsShown) return promptsOff();
    const int number = beginnerPrompt(editor_, document_.score);
    if (number == 0) return;
    if (number != editor_.promptNumber || !editor_.hintsShown) showPrompt(number);
}

void ScoreWindow::playClick() { frame_.playClick(); }

void ScoreWindow::setTextModeShortcuts(bool menusOwnThem) {
    static const std::pair<const char*, QKeyCombination> owners[] = {{"FileSaveItem", Qt::CTRL | Qt::Key_S},
                                                         {"PlaceAnotherSystem", Qt::CTRL | Qt::Key_N},
                                                         {"PlaceClef", Qt::CTRL | Qt::Key_C}};
    for (const auto& [name, keys] : owners)
        action(name)->setShortcut(menusOwnThem ? QKeySequence(keys) : QKeySequence());
}

void ScoreWindow::setDeleteStaveShortcut(bool on) {
    action("DeleteStaveitem")->setShortcut(on ? QKeySequence(Qt::Key_Delete) : QKeySequence());
}

void ScoreWindow::openPreview() {
    stack_->setCurrentWidget(preview_);
    preview_->open(std::max(1, editor_.currentPage()), settings_.options.Previewdetails);
    preview_->setFocus();
}

void ScoreWindow::closePreview() {
    stack_->setCurrentWidget(scroll_);
    setFocus();
}

void ScoreWindow::updateStatus() {
    refreshCaption();
    if (editor_.mode == ModePreview) return;
    frame_.showStatus(statusText());
}

void ScoreWindow::refreshCaption() {
    const QString name = QFileInfo(QString::fromStdString(document_.fileName)).fileName();
    const bool modified = document_.score.modified;
    if (name == captionName_ && modified == captionModified_) return;
    captionName_ = name;
    captionModified_ = modified;
    setWindowTitle(name);
    frame_.showScoreCaption(name, modified);
}

QString ScoreWindow::statusText() const {
    return QString::fromStdString(statusLine(editor_, document_.score, editor_.mode == ModeBlockCpy));
}

void ScoreWindow::setHeaderFooterCaption(bool screenOpen) {
    action("DefineHeadersFooters")
        ->setText(screenOpen ? QStringLiteral("Close &Header/Footer screen") : QStringLiteral("Define &Header/Footer"));
}

// ---------------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------------

void ScoreWindow::speedButton(SpeedButton id) {
    switch (id) {
    case SpeedButton::sbSave:
        return saveCommandFromMenu(false);
    case SpeedButton::sbClose:
        if (onCloseRequested) onCloseRequested();
        return;
    case SpeedButton::sbpreview:
        return SetMode(session_, ModePreview);
    case SpeedButton::sbredraw:
        return redrawPage();
    case SpeedButton::sbPrint:
        return printFromMenu();
    case SpeedButton::sbMusic:
        return SetMode(session_, ModeMusic);
    case SpeedButton::sbPgUp:
        return stepPage(session_, -1);
    case SpeedButton::sbPgDn:
        return stepPage(session_, +1);
    case SpeedButton::sbheadfoot:
    case SpeedButton::sbcloseHF:
        return toggleHeaderFooterScreen(session_);
    case SpeedButton::sbundo:
        return undoCommand(session_);
    case SpeedButton::sbcomplete:
        return CompleteProvisional(session_, false);
    case SpeedButton::sbEdit:
        return modeCommand(ModeEdit);
    case SpeedButton::sbText:
        return modeCommand(ModeText);
    case SpeedButton::sbLine:
        return modeCommand(ModeLine);
    case SpeedButton::sbcurve:
        return modeCommand(ModeCurve);
    case SpeedButton::sbHairpin:
        return modeCommand(ModeHairpin);
    case SpeedButton::sbsymbol:
        return modeCommand(ModeSymbol);
    case SpeedButton::sbdraw:
        return shapeCommand(session_);
    case SpeedButton::sbLeft:
        return StepObject(session_, -1, false);
    case SpeedButton::sbright:
        return StepObject(session_, +1, false);
    case SpeedButton::sbdelete:
        return DeleteCurrentObject(session_);
    case SpeedButton::sbattrib:
        return ShowAttributes(session_);
    default:
        return; // later: the buttons of the modes and commands still to come
    }
}

void ScoreWindow::showStrings(bool shown) {
    const bool music = editor_.mode == ModeMusic;
    view_->setStrings(shown && music ? attachmentLines(document_.score, editor_.currentPage())
                                     : std::vector<QLine>{},
                      toQColor(dc_.colours.Strings));
}

bool ScoreWindow::speedButtonWired(SpeedButton id) {
    switch (id) {
    case SpeedButton::sbstrings:
    case SpeedButton::sbOpen:
    case SpeedButton::sbNew:
    case SpeedButton::sbExit:
    case SpeedButton::sbSave:
    case SpeedButton::sbClose:
    case SpeedButton::sbpreview:
    case SpeedButton::sbredraw:
    case SpeedButton::sbPrint:
    case SpeedButton::sbMusic:
    case SpeedButton::sbPgUp:
    case SpeedButton::sbPgDn:
    case SpeedButton::sbheadfoot:
    case SpeedButton::sbcloseHF:
    case SpeedButton::sbundo:
    case SpeedButton::sbcomplete:
    case SpeedButton::sbattrib:
    case SpeedButton::sbEdit:
    case SpeedButton::sbText:
    case SpeedButton::sbLine:
    case SpeedButton::sbcurve:
    case SpeedButton::sbHairpin:
    case SpeedButton::sbsymbol:
    case SpeedButton::sbdraw:
    case SpeedButton::sbLeft:
    case SpeedButton::sbright:
    case SpeedButton::sbdelete:
        return true;
    default:
        return false;
    }
}

void ScoreWindow::saveCommandFromMenu(bool saveAs) {
    if (saveAs) saveAsCommand(document_, settings_, ui_);
    else saveCommand(document_, settings_, ui_);
    // Save As (and Save of an unnamed score) puts the new name first in the recent files.
    frame_.recentFilesChanged();
    refreshCaption();
}

void ScoreWindow::printFromMenu() {
    if (editor_.mode != ModeMusic && editor_.mode != ModePreview) return;
    const std::filesystem::path file(document_.fileName);
    PrintCommandContext context{&document_.score, editor_.currentPage(), document_.fileName,
                                file.filename().string(), displayUnit(settings_)};
    const auto dialog = [this](QPrinter& printer, int pages, int) { return runPrintDialog(printer, pages, this); };
    if (QPrinter* printer = printers_.printer()) {
        Tpagedata printerData(printers_.device());
        printCommand(context, *printer, &printerData, ui_, dialog);
        return;
    }
    // No printer installed: the dialog still offers a PDF file, named after the score.
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(QString::fromStdString(file.parent_path() / file.stem()) + QStringLiteral(".pdf"));
    printCommand(context, pdf, nullptr, ui_, dialog);
}

void ScoreWindow::informationFromMenu() {
    InfoSources sources;
    sources.fileName = document_.fileName;
    sources.unit = displayUnit(settings_);
    sources.language = settings_.options.Language;
    sources.drive = driveFreeSpace(QDir::currentPath().toStdString());
    Tpagedata printerData(printers_.device());
    if (QPrinter* printer = printers_.printer()) {
        // Read in the orientation the printer is set to, which stays as it is.
        if (printerData.setLandscape(printers_.device()->landscape())) sources.printer = &printerData;
        sources.printerName = printer->printerName().toStdString();
    }
    informationCommand(session_, sources);
}

void ScoreWindow::printSetupFromMenu() {
    QPrinter* printer = printers_.printer();
    if (!printer) return showInformation(ui_, NoPrinterInstalledMessage);
    QPageSetupDialog(printer, this).exec();
}

void ScoreWindow::repaginateCommand() {
    Score& score = document_.score;
    repaginate(score, musicAreaHeight(score.page, score.StvSiz), ui_, editor_.page);
    score.modified = true;
    makeStaveCurrent(session_, std::clamp(editor_.currentStave(), 1, std::max(1, score.Nstaves)));
    showCurrentPage();
}

void ScoreWindow::sortStaveCommand() {
    const int s = editor_.currentStave();
    if (s < 1 || s > document_.score.Nstaves) return;
    SortStave(document_.score, s);
    drawStave(s, true);
}

bool ScoreWindow::queryClose() {
    if (!document_.score.modified) return true;
    const CloseChoice choice = closeQuestion ? closeQuestion() : [this] {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quaverly File Close"), QStringLiteral("Warning"),
                        QMessageBox::NoButton, this);
        box.setInformativeText(QStringLiteral("Current score has not been saved"));
        QPushButton* save = box.addButton(QStringLiteral("Save and E&xit"), QMessageBox::AcceptRole);
        QPushButton* back = box.addButton(QStringLiteral("&Back to score"), QMessageBox::RejectRole);
        QPushButton* quit = box.addButton(QStringLiteral("&Quit and Abort"), QMessageBox::DestructiveRole);
        box.setDefaultButton(back);
        box.exec();
        if (box.clickedButton() == save) return CloseChoice::SaveAndExit;
        if (box.clickedButton() == quit) return CloseChoice::QuitAndAbort;
        return CloseChoice::BackToScore;
    }();
    switch (choice) {
    case CloseChoice::SaveAndExit:
        // A save that fails or is cancelled keeps the window open: nothing is lost.
        return saveCommand(document_, settings_, ui_);
    case CloseChoice::QuitAndAbort:
        return true;
    case CloseChoice::BackToScore:
        return false;
    }
    return false;
}

// ---------------------------------------------------------------------------------
// Keyboard: menu shortcuts first (Qt's own), then the arrows on the press, then the
// character on the press and the key on the release.
// ---------------------------------------------------------------------------------

void ScoreWindow::keyPressEvent(QKeyEvent* event) {
    if (editor_.mode == ModePreview && event->key() == Qt::Key_Escape) {
        SetMode(session_, ModeMusic);
        return;
    }
    keyPressed(session_, toKeyEvent(*event));
    refreshCaption();
}

void ScoreWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    keyReleased(session_, toKeyEvent(*event));
    refreshCaption();
}

// ---------------------------------------------------------------------------------
// What the modes ask of the window beyond drawing
// ---------------------------------------------------------------------------------

void ScoreWindow::setProvisionalMark(bool shown) {
    if (shown == provisionalShown_) return;
    const int s = editor_.currentStave();
    if (s < 0 || s > document_.score.Nstaves) return;
    if (shown && !document_.score.provisional.present) return;
    // Drawn by exclusive-or: the second drawing takes the first away.
    DrawProvisionalObject(dc_, document_.score, s);
    provisionalShown_ = shown;
    view_->update();
}

void ScoreWindow::startHoldTimer() { holdTimer_.start(); }

void ScoreWindow::stopHoldTimer() { holdTimer_.stop(); }

void ScoreWindow::scrollIntoView(int x, int y) {
    const QPoint w = view_->toWidget(QPoint(x, y));
    scroll_->ensureVisible(w.x(), w.y(), 10, 10);
}

void ScoreWindow::scrollStaveIntoView(int s) {
    if (s < 1 || s > document_.score.Nstaves) return;
    const Stave& st = document_.score.stave(s);
    const QPoint top = view_->toWidget(QPoint(editor_.cursorX, st.MinY));
    const QPoint bottom = view_->toWidget(QPoint(editor_.cursorX, st.MaxY));
    const int margin = 12; // the cursor reaches a little past the band
    scroll_->ensureVisible(top.x(), (top.y() + bottom.y()) / 2, 40, (bottom.y() - top.y()) / 2 + margin);
}

void ScoreWindow::scrollBy(int dx, int dy) {
    scroll_->horizontalScrollBar()->setValue(scroll_->horizontalScrollBar()->value() + dx);
    scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->value() + dy);
}

void ScoreWindow::showStaveOutline(int s, int dy) {
    if (s < 0 || s > document_.score.Nstaves) return view_->setOutline({});
    const Stave& st = document_.score.stave(s);
    view_->setOutline(QRect(st.LeftX, st.Ycoord - 16 + dy, st.RightX - st.LeftX, 32));
}

void ScoreWindow::placePointer(int x, int y) { QCursor::setPos(view_->mapToGlobal(view_->toWidget(QPoint(x, y)))); }

void ScoreWindow::beep() { QApplication::beep(); }

void ScoreWindow::showCompressLimit(int x, int top, int bottom) { view_->setOutline(QRect(x, top, 1, bottom - top)); }

void ScoreWindow::hideCompressLimit() { view_->setOutline({}); }

void ScoreWindow::showBlockBox(const BlockBox& b) { view_->setOutline(QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom))); }

void ScoreWindow::hideBlockBox() { view_->setOutline({}); }

void ScoreWindow::drawCurrentObject(bool xorMode) {
    // Drawn whenever the editing layer asks, also while Edit mode is being left.
    DrawCurrentObject(dc_, document_.score, CurrentObject{true, editor_.currentStave(), editor_.currentObject},
                      dc_.colours.Edit, xorMode);
    view_->update();
}

void ScoreWindow::setCurrentObjectMark(bool shown) {
    if (shown == currentShown_) return;
    currentShown_ = shown;
    if (objectDragged_) return drawCurrentObject(true); // the second drawing takes the first away
    if (shown) return drawCurrentObject(false);
    drawStave(editor_.currentStave(), true); // drawn in its own colour again
}

void ScoreWindow::setObjectDragged(bool dragged) {
    if (dragged == objectDragged_) return;
    if (dragged) {
        // The stave without the object, then the object by exclusive-or over it.
        currentShown_ = false;
        objectDragged_ = true;
        drawStave(editor_.currentStave(), true);
        setCurrentObjectMark(true);
    } else {
        setCurrentObjectMark(false);
        objectDragged_ = false;
        drawStave(editor_.currentStave(), true);
        setCurrentObjectMark(true);
    }
}

void ScoreWindow::showPlacingMarks(const PlacingMarks& marks) {
    if (marks == marksShown_) return;
    const MarkColours colours{PageOptions{}.highlightColour, dc_.colours.Cursor, dc_.colours.Anchor};
    if (!marksShown_.empty()) DrawPlacingMarks(dc_, marksShown_, colours);
    marksShown_ = marks;
    if (!marksShown_.empty()) DrawPlacingMarks(dc_, marksShown_, colours);
    view_->update();
}

void ScoreWindow::setEditPointer(int pointer) {
    settings_.options.EditCursor = pointer;
    if (editor_.mode == ModeEdit) setPagePointer(ModeEdit);
}

// The score area is the scroll box's view: the page and the ground around it.
bool ScoreWindow::pointerInScoreArea() const {
    const QWidget* area = scroll_->viewport();
    return area->rect().contains(area->mapFromGlobal(QCursor::pos()));
}

void ScoreWindow::showDefaults(const std::string& text) { frame_.showDefaults(QString::fromStdString(text)); }

} // namespace qv

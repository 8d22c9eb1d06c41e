#pragma once
// The score window: the one document window inside the main frame. It shows one
// page of the score as a bitmap in a scroll box, keeps the editing state, turns
// keys and mouse actions into commands by the current mode, and owns the window's
// menu items, which the frame merges into its menu bar.

#include "edit/setmode.h"
#include "files/saving.h"
#include "render/page.h"
#include "shell/speedbuttons.h"
#include "shell/zoom.h"

#include <QPointF>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QStackedWidget;

namespace qv {

class FrameLink;
class PageView;
class PrinterChoice;
class PreviewPanel;

enum class CloseChoice { SaveAndExit, BackToScore, QuitAndAbort };

class ScoreWindow : public QWidget, public ModeHost {
  public:
    // `printers` is the frame's selected printer, shared by every score window.
    ScoreWindow(Document document, Settings& settings, Ui& ui, FrameLink& frame, PrinterChoice& printers,
                QWidget* parent = nullptr);
    ~ScoreWindow() override;

    Document& document() { return document_; }
    Editor& editor() { return editor_; }
    EditSession& session() { return session_; }
    DrawContext& drawContext() { return dc_; }

    // The window's menu items by name ("FileSaveItem" ...), and its own top-level
    // menus in menu-bar order (its File items are merged into the frame's File menu).
    QAction* action(const QString& name) const;
    std::vector<QAction*> fileItems() const;
    std::vector<QMenu*> menus() const { return menus_; }

    // The first activation: the Nothing mode and page 1 drawn.
    void activate();
    // The user's competence level changed: tools, menus and the beginner prompts follow.
    void levelChanged();
    // A speed button of the frame pressed.
    void speedButton(SpeedButton id);
    // Whether a speed button's command exists yet in this window.
    static bool speedButtonWired(SpeedButton id);
    // The strings button held down (shown) or let go (hidden).
    void showStrings(bool shown);

    // The close question of a modified score; true when the window may close.
    bool queryClose();
    // Asks how to close a modified score; the dialog by default.
    std::function<CloseChoice()> closeQuestion;
    // "&Close this score": the frame closes the window.
    std::function<void()> onCloseRequested;

    QString statusText() const;
    // Tells the frame the score's name and modified flag when either changed since it
    // was last told. Called after every command, key and click, since many commands
    // set the flag directly.
    void refreshCaption();
    PageView* pageView() const { return view_; }
    PreviewPanel* previewPanel() const { return preview_; }
    QScrollArea* scrollBox() const { return scroll_; }

    // The page zoom in per cent, and how it follows the window. Zooming keeps the
    // page point at `anchor` (a point of the page view; its middle when none) where
    // it is on the screen.
    int zoomPercent() const { return zoomPercent_; }
    ZoomFit zoomFit() const { return zoomFit_; }
    void setZoom(int percent, ZoomFit fit = ZoomFit::None, std::optional<QPointF> anchor = std::nullopt);
    // The prompt shown beside the pointer, empty when none.
    QString promptShown() const;

    // ModeHost
    void showModeLabel(int mode, bool inColour) override;
    void setPagePointer(int mode) override;
    void applyTools(const ToolState& tools, const MenuState& menus) override;
    void redrawPage() override;
    void redrawStaves(int first, int last) override;
    void drawStave(int s, bool highlighted) override;
    void setCursorMark(bool shown) override;
    void showPrompt(int number) override;
    void promptsOff() override;
    std::vector<QRect> promptKeepsClearOf() const;
    void playClick() override;
    void setTextModeShortcuts(bool menusOwnThem) override;
    void setDeleteStaveShortcut(bool on) override;
    void openPreview() override;
    void closePreview() override;
    void showCurrentPage() override;
    void updateStatus() override;
    void setHeaderFooterCaption(bool screenOpen) override;
    void setProvisionalMark(bool shown) override;
    void startHoldTimer() override;
    void stopHoldTimer() override;
    void scrollIntoView(int x, int y) override;
    void scrollStaveIntoView(int s) override;
    void scrollBy(int dx, int dy) override;
    void showStaveOutline(int s, int dy) override;
    void placePointer(int x, int y) override;
    void beep() override;
    void showDefaults(const std::string& text) override;
    void setCurrentObjectMark(bool shown) override;
    void setObjectDragged(bool dragged) override;
    void showPlacingMarks(const PlacingMarks& marks) override;
    void setEditPointer(int pointer) override;
    bool pointerInScoreArea() const override;
    void showCompressLimit(int x, int top, int bottom) override;
    void hideCompressLimit() override;
    void showBlockBox(const BlockBox& box) override;
    void hideBlockBox() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The prompt floats above every window: it steps aside while a dialog blocks the frame.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab belongs to the music (Music mode's stops, Text mode's tab character), not
    // to moving the keyboard focus.
    bool focusNextPrevChild(bool) override { return false; }

  private:
    void createActions();
    void wireActions();
    void connectView();
    PageOptions pageOptions(int highlighted) const;
    // The current page's size on the screen in page units and where page position
    // (0, 0) lies on it.
    struct ScreenPage {
        QSize size;
        QPoint origin;
    };
    ScreenPage screenPage() const;
    // A white surface for the current page at the zoom, shown in the page view.
    void newSurface();
    void createZoomMenu(QMenu* pageMenu);
    int fittedZoom(ZoomFit fit) const;
    // The page drawn again at the zoom's resolution, with its marks.
    void redrawSurface();
    void showZoomInMenu();
    void drawCurrentPage();
    void drawBand(int top, int bottom, int highlighted);
    // The marks drawn by exclusive-or (cursor, provisional object, placing marks, a
    // dragged object) taken off before a redraw and put back after.
    struct XorMarks {
        bool cursor, provisional, current;
        PlacingMarks placing;
    };
    XorMarks takeOffXorMarks();
    void putBackXorMarks(const XorMarks& marks);
    void drawCurrentObject(bool xorMode);
    void modeCommand(int mode);
    void onNoviceTimer();
    // A Place menu item: its command acts in Music mode only.
    // A Music-mode command; with `thenAttributes` the provisional object it made opens its dialog.
    void placeCommand(void (*command)(EditSession&), bool thenAttributes = false);
    void repaginateCommand();
    void sortStaveCommand();
    void saveCommandFromMenu(bool saveAs);
    void printFromMenu();
    void printSetupFromMenu();
    // "&Information...": the score information window over the selected printer's page.
    void informationFromMenu();

    Document document_;
    Settings& settings_;
    Ui& ui_;
    FrameLink& frame_;
    PrinterChoice& printers_;
    Editor editor_;
    DrawContext dc_;
    EditSession session_;

    QStackedWidget* stack_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
    PreviewPanel* preview_ = nullptr;
    QLabel* prompt_ = nullptr;
    QMenu* zoomMenu_ = nullptr;
    int zoomPercent_ = 100;
    ZoomFit zoomFit_ = ZoomFit::None;
    std::map<QString, QAction*> actions_;
    std::vector<QMenu*> menus_;
    QTimer holdTimer_;
    QTimer noviceTimer_;
    bool activated_ = false;
    bool provisionalShown_ = false; // the provisional object is drawn on the page
    bool currentShown_ = false;     // Edit mode's current object is highlighted
    bool objectDragged_ = false;    // ... and being dragged: shown by exclusive-or
    PlacingMarks marksShown_;       // the placing modes' marks on the page
    QString captionName_;           // what the frame's caption shows, to tell it only of changes
    bool captionModified_ = false;
};

} // namespace qv

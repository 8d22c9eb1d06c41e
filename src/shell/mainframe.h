#pragma once
// The main frame: the program's one top-level window. It holds at most one score
// window, the menus, the speed bar, the mode label, the status line and the
// tutorial pane; it starts the program and writes the configuration at the end.

#include "model/fonttable.h"
#include "model/settings.h"
#include "shell/clicksound.h"
#include "shell/framelink.h"
#include "shell/printerchoice.h"
#include "shell/speedbuttons.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTextBrowser;
class QToolBar;

namespace qv {

class ScoreWindow;
class StatusLine;
class Ui;

class MainFrame : public QMainWindow, public FrameLink {
  public:
    // `ui` answers every message and dialog; the widgets' own when null.
    explicit MainFrame(Ui* ui = nullptr, QWidget* parent = nullptr);
    ~MainFrame() override;

    // The first activation: the configuration read from `configPath`, the level and
    // speed bar applied, the beginner hint and the tip of the day, then the file
    // named by the parameters (joined with spaces) opened.
    void start(const std::string& configPath, const QStringList& parameters);

    // File | New, File | Open (with the chooser), opening a named file, closing.
    void newScore();
    void fileOpen();
    bool openFile(const std::string& path);
    // File | Import MusicXML (with the chooser), and importing a named file as a new
    // untitled score.
    void fileImport();
    bool importFile(const std::string& path);
    bool closeScore(); // false when the user went back to the score

    void setLevel(int level);
    void setSpeedBarShown(bool shown);

    Settings& settings() { return settings_; }
    Ui& ui() { return *ui_; }
    ScoreWindow* scoreWindow() const { return window_; }
    QAction* speedAction(SpeedButton id) const { return speed_[static_cast<std::size_t>(id)]; }
    QToolBar* speedBar() const { return speedBar_; }
    QLabel* modeLabel() const { return modeLabel_; }
    QString statusText() const;
    QMenu* fileMenu() const { return file_; }
    QMenu* fontsMenu() const { return fonts_; }
    // The font new text takes (an empty name: the default font). It belongs to the
    // program, not to one score: the open score window works on it while it is open.
    FontDesc& currentFont();
    QTextBrowser* tutorialPane() const { return tutorial_; }
    ClickSound& clickSound() { return click_; }
    // The selected printer, which the score window prints on.
    PrinterChoice& printerChoice() { return printers_; }
    // The tip of the day; returns whether tips stay on. A dialog unless replaced.
    std::function<bool(const QString& tip)> tipOfTheDay;

    // FrameLink
    void showTools(const ToolState& tools) override;
    void showModeLabel(const QString& text, const QColor& colour) override;
    void showStatus(const QString& text) override;
    void showDefaults(const QString& text) override;
    QLabel* defaultsPanel() const { return defaults_; }
    void playClick() override;
    void showScoreCaption(const QString& name, bool modified) override;
    void recentFilesChanged() override { rebuildRecentFiles(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createMenus();
    void createSpeedBar();
    void createCentre();
    void rebuildRecentFiles();
    void openRecentFile(const std::string& path);
    void applyAvailability();
    void openWindow(struct Document&& document);
    void speedButtonPressed(SpeedButton id);
    void defaultStaveSize();
    void defaultPageSetup();
    void showOptions();
    void showTip();
    // The Fonts menu and the two font buttons.
    enum class FontCommand { DefineCurrent, UseFavourite, DefineFavourite, SaveFavourite };
    void createFontsMenu();
    void fontCommand(FontCommand command);

    std::unique_ptr<Ui> ownUi_;
    Ui* ui_ = nullptr;
    Settings settings_;
    std::string configPath_;
    ClickSound click_;
    PrinterChoice printers_;
    ScoreWindow* window_ = nullptr;
    QStackedWidget* workspace_ = nullptr;
    QToolBar* speedBar_ = nullptr;
    std::array<QAction*, SpeedButtonCount> speed_{};
    QLabel* modeLabel_ = nullptr;
    StatusLine* status_ = nullptr;
    QLabel* defaults_ = nullptr;
    QTextBrowser* tutorial_ = nullptr;
    QMenu* file_ = nullptr;
    QMenu* fonts_ = nullptr;
    FontDesc currentFont_; // while no score window is open
    QAction* recentSeparator_ = nullptr;
    QAction* exit_ = nullptr;
    std::array<QAction*, 3> levels_{};
    QAction* speedBarItem_ = nullptr;
    std::vector<QAction*> recentItems_;
    int nextTip_ = 0;
};

} // namespace qv

#include "shell/mainframe.h"

#include "files/loader.h"
#include "files/saving.h"
#include "files/templates.h"
#include "interchange/musicxmlimport.h"
#include "print/pagesetup.h"
#include "shell/configfile.h"
#include "shell/contrast.h"
#include "shell/helpwindow.h"
#include "shell/optionsdialog.h"
#include "shell/qtui.h"
#include "shell/recentfiles.h"
#include "shell/scorewindow.h"
#include "shell/statusline.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>

#include <filesystem>

namespace qv {

namespace {

inline const char* const CloseFirstMessage = "Please close the current score before opening another one.";
inline const char* const TutorialHint =
    "To get started quickly, why not run the tutorial?\n\nSelect it from the Help menu, or press Alt+F1 to run.";
// Scores first; anything else (a NoteWorthy file under another extension) by "All files".
inline const char* const OpenFilters = "Quaverly files (*.QVR *.qvr);;All files (*)";
inline const char* const ImportFilters = "MusicXML files (*.musicxml *.xml *.mxl *.MXL);;All files (*)";
inline const char* const StaveSizeOutOfRange = "Stave size is out of range.";
inline const char* const ProgramCaption = "Quaverly 32";
inline const char* const RecentFileFailed = "%s could not be opened.\n\nRemove it from the list of recent files?";
// How wide a recent file's name may be in the File menu, in average characters;
// a longer one loses its middle.
constexpr int RecentFileChars = 60;

// The buttons whose state the editing state decides, and where it keeps it.
struct ToolField {
    SpeedButton id;
    ButtonState ToolState::*state;
};
constexpr ToolField ToolFields[] = {
    {SpeedButton::sbMusic, &ToolState::sbMusic},       {SpeedButton::sbEdit, &ToolState::sbEdit},
    {SpeedButton::sbredraw, &ToolState::sbredraw},     {SpeedButton::sbundo, &ToolState::sbundo},
    {SpeedButton::sbpreview, &ToolState::sbpreview},   {SpeedButton::sbdraw, &ToolState::sbdraw},
    {SpeedButton::sbstrings, &ToolState::sbstrings},   {SpeedButton::sbheadfoot, &ToolState::sbheadfoot},
    {SpeedButton::sbcloseHF, &ToolState::sbcloseHF},   {SpeedButton::sbText, &ToolState::sbText},
    {SpeedButton::sbLine, &ToolState::sbLine},         {SpeedButton::sbcurve, &ToolState::sbcurve},
    {SpeedButton::sbHairpin, &ToolState::sbHairpin},   {SpeedButton::sbsymbol, &ToolState::sbsymbol},
    {SpeedButton::sbLeft, &ToolState::sbLeft},         {SpeedButton::sbright, &ToolState::sbright},
    {SpeedButton::sbdelete, &ToolState::sbdelete},     {SpeedButton::sbattrib, &ToolState::sbattrib},
    {SpeedButton::sbdelstave, &ToolState::sbdelstave}, {SpeedButton::sbcomplete, &ToolState::sbcomplete},
    {SpeedButton::sbPrint, &ToolState::sbPrint},       {SpeedButton::sbPgUp, &ToolState::sbPgUp},
    {SpeedButton::sbPgDn, &ToolState::sbPgDn},
};

int screenResolution() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(screen->logicalDotsPerInch() + 0.5) : 96;
}

QAction* addItem(QMenu* menu, const char* caption, const QKeySequence& keys = {}) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    if (!keys.isEmpty()) a->setShortcut(keys);
    return a;
}

} // namespace

MainFrame::MainFrame(Ui* ui, QWidget* parent) : QMainWindow(parent) {
    if (!ui) {
        ownUi_ = std::make_unique<QtUi>(this);
        ui = ownUi_.get();
    }
    ui_ = ui;
    setWindowTitle(QString::fromUtf8(ProgramCaption));
    resize(1100, 820);
    createCentre();
    createSpeedBar();
    createMenus();
    applyAvailability();
    tipOfTheDay = [this](const QString& tip) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Tip of the day"), tip, QMessageBox::Ok, this);
        auto* again = new QCheckBox(QStringLiteral("&Show tips at start-up"));
        again->setChecked(true);
        box.setCheckBox(again);
        box.exec();
        return again->isChecked();
    };
}

MainFrame::~MainFrame() = default;

// ---------------------------------------------------------------------------------
// Building the frame
// ---------------------------------------------------------------------------------

void MainFrame::createCentre() {
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    workspace_ = new QStackedWidget(centre);
    auto* empty = new QWidget(workspace_);
    empty->setAutoFillBackground(true);
    QPalette palette = empty->palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0x80, 0x80));
    empty->setPalette(palette);
    workspace_->addWidget(empty);
    column->addWidget(workspace_, 1);

    tutorial_ = new QTextBrowser(centre);
    tutorial_->setObjectName(QStringLiteral("TutorialPane"));
    tutorial_->setHtml(tutorialText());
    tutorial_->setFixedHeight(MinTutorialHeight + 40);
    auto* row = new QHBoxLayout;
    modeLabel_ = new QLabel(centre);
    modeLabel_->setObjectName(QStringLiteral("labMode"));
    modeLabel_->setMinimumWidth(90);
    modeLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // The ground follows the mode colour (showModeLabel), so white (Nothing) and
    // black (Music) are both readable.
    modeLabel_->setAutoFillBackground(true);
    QFont bold = modeLabel_->font();
    bold.setBold(true);
    modeLabel_->setFont(bold);
    status_ = new StatusLine(tutorial_, centre, centre);
    defaults_ = new QLabel(centre);
    defaults_->setObjectName(QStringLiteral("defaults"));
    defaults_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    row->addWidget(modeLabel_);
    row->addWidget(status_, 1);
    row->addWidget(defaults_);
    column->addLayout(row);
    column->addWidget(tutorial_);
    setCentralWidget(centre);
}

void MainFrame::createSpeedBar() {
    speedBar_ = addToolBar(QStringLiteral("Speed bar"));
    speedBar_->setObjectName(QStringLiteral("SpeedBar"));
    speedBar_->setIconSize(QSize(24, 24));
    speedBar_->setMovable(false);
    static const SpeedButton separatedAfter[] = {SpeedButton::sbClose, SpeedButton::sbredraw, SpeedButton::sbEdit,
                                                 SpeedButton::sbcomplete, SpeedButton::sbPgDn};
    for (const SpeedButtonInfo& info : speedButtons()) {
        QAction* a = speedBar_->addAction(speedButtonIcon(info.id), QString::fromUtf8(info.name));
        a->setObjectName(QString::fromUtf8(info.name));
        a->setToolTip(QString::fromUtf8(info.hint));
        a->setWhatsThis(speedButtonExplanation(info.id));
        a->setStatusTip(QString::fromUtf8(info.hint));
        speed_[static_cast<std::size_t>(info.id)] = a;
        const SpeedButton id = info.id;
        connect(a, &QAction::triggered, this, [this, id] { speedButtonPressed(id); });
        if (std::find(std::begin(separatedAfter), std::end(separatedAfter), id) != std::end(separatedAfter))
            speedBar_->addSeparator();
    }
    for (SpeedButton id : {SpeedButton::sbMusic, SpeedButton::sbEdit, SpeedButton::sbText, SpeedButton::sbLine,
                           SpeedButton::sbcurve, SpeedButton::sbHairpin, SpeedButton::sbsymbol})
        speedAction(id)->setCheckable(true);
    // The attachment lines show only while the strings button is held down.
    if (auto* strings =
            qobject_cast<QAbstractButton*>(speedBar_->widgetForAction(speedAction(SpeedButton::sbstrings)))) {
        connect(strings, &QAbstractButton::pressed, this, [this] {
            if (window_) window_->showStrings(true);
        });
        connect(strings, &QAbstractButton::released, this, [this] {
            if (window_) window_->showStrings(false);
        });
    }
}

void MainFrame::createMenus() {
    file_ = menuBar()->addMenu(QStringLiteral("&File"));
    file_->setToolTipsVisible(true); // the full path of a shortened recent file
    connect(addItem(file_, "&New"), &QAction::triggered, this, [this] { newScore(); });
    connect(addItem(file_, "&Open..."), &QAction::triggered, this, [this] { fileOpen(); });
    connect(addItem(file_, "Import M&usicXML..."), &QAction::triggered, this, [this] { fileImport(); });
    file_->addSeparator();
    connect(addItem(file_, "Default &Page Setup"), &QAction::triggered, this, [this] { defaultPageSetup(); });
    connect(addItem(file_, "Default &Stave Size"), &QAction::triggered, this, [this] { defaultStaveSize(); });
    recentSeparator_ = file_->addSeparator();
    exit_ = addItem(file_, "E&xit", QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(exit_, &QAction::triggered, this, &QWidget::close);

    createFontsMenu();

    QAction* options = menuBar()->addAction(QStringLiteral("&Options..."));
    connect(options, &QAction::triggered, this, [this] { showOptions(); });

    QMenu* user = menuBar()->addMenu(QStringLiteral("&User"));
    auto* group = new QActionGroup(this);
    const char* levelCaptions[] = {"Set User Competence Level &1 - Beginner", "Set User Competence Level &2 - Standard",
                                   "Set User Competence Level &3 - Advanced"};
    for (int level = 1; level <= 3; ++level) {
        QAction* a = addItem(user, levelCaptions[level - 1]);
        a->setCheckable(true);
        group->addAction(a);
        levels_[static_cast<std::size_t>(level - 1)] = a;
        connect(a, &QAction::triggered, this, [this, level] { setLevel(level); });
    }
    user->addSeparator();
    speedBarItem_ = addItem(user, "S&peed bar", QKeySequence(Qt::Key_F4));
    speedBarItem_->setCheckable(true);
    speedBarItem_->setChecked(true);
    connect(speedBarItem_, &QAction::triggered, this, [this](bool on) { setSpeedBarShown(on); });
    addAction(speedBarItem_);
    connect(addItem(user, "&Please explain this!"), &QAction::triggered, this, [] { QWhatsThis::enterWhatsThisMode(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    const auto page = [this](const char* name) { HelpWindow::showPage(this, QString::fromUtf8(name)); };
    connect(addItem(help, "&Contents"), &QAction::triggered, this, [page] { page("index"); });
    connect(addItem(help, "&Search"), &QAction::triggered, this, [page] { page("index"); });
    connect(addItem(help, "&How do I...?"), &QAction::triggered, this, [page] { page("gettingstarted"); });
    connect(addItem(help, "&Keyboard shortcuts"), &QAction::triggered, this, [page] { page("keyboard"); });
    connect(addItem(help, "&Getting started"), &QAction::triggered, this, [page] { page("gettingstarted"); });
    addItem(help, "&Additions to the manual")->setEnabled(false);
    QAction* tutorial = addItem(help, "T&utorial", QKeySequence(Qt::ALT | Qt::Key_F1));
    connect(tutorial, &QAction::triggered, this, [this] {
        tutorial_->setVisible(!tutorial_->isVisible());
        settings_.Tutorial = true;
    });
    connect(addItem(help, "&Tip of the day"), &QAction::triggered, this, [this] { showTip(); });
    connect(addItem(help, "&About"), &QAction::triggered, this, [page] { page("about"); });

    // The key that opened a menu is released into the score window afterwards.
    for (QMenu* m : {file_, fonts_, user, help})
        connect(m, &QMenu::aboutToShow, this, [this] {
            if (window_) window_->editor().swallowNextKeyRelease = true;
        });
}

// ---------------------------------------------------------------------------------
// Start-up and shut-down
// ---------------------------------------------------------------------------------

void MainFrame::start(const std::string& configPath, const QStringList& parameters) {
    configPath_ = configPath;
    settings_ = readConfiguration(configPath);
    setSpeedBarShown(settings_.options.Speedpanel);
    setLevel(settings_.Level);
    rebuildRecentFiles();
    showModeLabel(QStringLiteral("Nothing"), QColor(Qt::white));
    // The hint sends the user to the tutorial pane; while that is open below the
    // page there is nothing to send them to.
    if (settings_.Level == Beginner && !settings_.Tutorial && tutorial_->isHidden())
        showInformation(*ui_, TutorialHint);
    if (settings_.options.Tips && parameters.isEmpty()) showTip();
    if (parameters.isEmpty()) return;
    std::vector<std::string> words;
    for (const QString& p : parameters)
        words.push_back(p.toStdString());
    const std::string name = joinedFileName(words);
    if (const PrecheckCode code = precheckScoreFile(name); code != PrecheckCode::Ok) {
        showError(*ui_, precheckMessage(code, name));
        return;
    }
    openFile(name);
}

void MainFrame::showTip() {
    const QStringList tips = tipsOfTheDay();
    if (tips.isEmpty() || !tipOfTheDay) return;
    settings_.options.Tips = tipOfTheDay(tips[nextTip_++ % tips.size()]);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (window_ && !closeScore()) {
        event->ignore();
        return;
    }
    if (!configPath_.empty()) {
        writeRecentFiles(configPath_, settings_.recentFiles);
        writeConfiguration(configPath_, settings_);
    }
    event->accept();
}

// ---------------------------------------------------------------------------------
// Scores
// ---------------------------------------------------------------------------------

void MainFrame::newScore() {
    if (window_) return showWarning(*ui_, CloseFirstMessage);
    TemplateContext context;
    context.screenResolution = screenResolution();
    openWindow(newScoreCommand(0, settings_, *ui_, context));
}

void MainFrame::fileOpen() {
    if (window_) return showWarning(*ui_, CloseFirstMessage);
    FileDialogRequest request;
    request.title = "Open";
    request.folder = settings_.Directory;
    request.filter = OpenFilters;
    // A setting of 1 starts on every file; any other (2 by default) on the scores.
    request.selectedFilter = settings_.options.Infilter == 1 ? 1 : 0;
    request.defaultExtension = "QVR";
    const auto chosen = ui_->openFileName(request);
    if (!chosen) return;
    settings_.Directory = std::filesystem::path(*chosen).parent_path().string();
    openFile(*chosen);
}

bool MainFrame::openFile(const std::string& path) {
    if (window_) {
        showWarning(*ui_, CloseFirstMessage);
        return false;
    }
    addRecentFile(settings_.recentFiles, path);
    rebuildRecentFiles();
    Document document;
    document.fileName = path;
    document.screenResolution = screenResolution();
    ui_->setBusy(true);
    const bool loaded = loadScore(path, LoadOptions{document.screenResolution, &settings_, printers_.device()}, *ui_, document.score);
    ui_->setBusy(false);
    if (!loaded) return false;
    openWindow(std::move(document));
    return true;
}

void MainFrame::fileImport() {
    if (window_) return showWarning(*ui_, CloseFirstMessage);
    FileDialogRequest request;
    request.title = "Import MusicXML";
    request.folder = settings_.Directory;
    request.filter = ImportFilters;
    request.defaultExtension = "musicxml";
    const auto chosen = ui_->openFileName(request);
    if (!chosen) return;
    settings_.Directory = std::filesystem::path(*chosen).parent_path().string();
    importFile(*chosen);
}

bool MainFrame::importFile(const std::string& path) {
    if (window_) {
        showWarning(*ui_, CloseFirstMessage);
        return false;
    }
    ImportOptions options;
    options.page = settings_.defaultPage;
    options.staveSize = settings_.defaultStaveSize;
    options.spacing = settings_.defaultSpacing;
    ui_->setBusy(true);
    std::optional<Score> score = importMusicXml(path, *ui_, options);
    ui_->setBusy(false);
    if (!score) return false;
    // A new untitled score: saving it asks for a name, closing it for a save.
    Document document;
    document.fileName = "NONAME1";
    document.screenResolution = screenResolution();
    document.score = std::move(*score);
    document.score.modified = true;
    openWindow(std::move(document));
    return true;
}

void MainFrame::openWindow(Document&& document) {
    window_ = new ScoreWindow(std::move(document), settings_, *ui_, *this, printers_, workspace_);
    window_->editor().drawing.currentFont = currentFont_;
    window_->onCloseRequested = [this] { closeScore(); };
    workspace_->addWidget(window_);
    workspace_->setCurrentWidget(window_);
    // The window's File items go before the frame's own page and stave defaults; its
    // other menus sit between File and Fonts.
    QAction* firstDefault = file_->actions().value(4); // after New, Open, Import and a separator
    for (QAction* a : window_->fileItems())
        file_->insertAction(firstDefault, a);
    for (QMenu* m : window_->menus())
        menuBar()->insertMenu(fonts_->menuAction(), m);
    applyAvailability();
    window_->activate();
    window_->refreshCaption();
}

bool MainFrame::closeScore() {
    if (!window_) return true;
    if (!window_->queryClose()) return false;
    addRecentFile(settings_.recentFiles, window_->document().fileName);
    rebuildRecentFiles();
    if (!configPath_.empty()) writeViewSettings(configPath_, settings_);
    ScoreWindow* closing = window_;
    currentFont_ = closing->editor().drawing.currentFont;
    window_ = nullptr;
    workspace_->removeWidget(closing);
    delete closing; // its menus and items leave the menu bar with it
    modeLabel_->clear();
    setWindowTitle(QString::fromUtf8(ProgramCaption));
    status_->clear();
    defaults_->clear();
    applyAvailability();
    return true;
}

// ---------------------------------------------------------------------------------
// Level, speed bar, recent files, options
// ---------------------------------------------------------------------------------

void MainFrame::setLevel(int level) {
    settings_.Level = std::clamp(level, 1, 3);
    levels_[static_cast<std::size_t>(settings_.Level - 1)]->setChecked(true);
    applyAvailability();
    if (window_) window_->levelChanged();
}

void MainFrame::setSpeedBarShown(bool shown) {
    settings_.options.Speedpanel = shown;
    speedBar_->setVisible(shown);
    speedBarItem_->setChecked(shown);
}

void MainFrame::rebuildRecentFiles() {
    for (QAction* a : recentItems_)
        delete a;
    recentItems_.clear();
    const QFontMetrics metrics(file_->font());
    const int width = metrics.averageCharWidth() * RecentFileChars;
    int n = 0;
    for (const std::string& name : settings_.recentFiles) {
        const QString full = QString::fromStdString(name);
        // A long folder path keeps its start and the file's own name; an ampersand in
        // it is shown, not taken for the item's accelerator.
        QString shown = metrics.elidedText(full, Qt::ElideMiddle, width);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(++n).arg(shown), file_);
        a->setToolTip(full);
        a->setStatusTip(full);
        file_->insertAction(exit_, a);
        recentItems_.push_back(a);
        connect(a, &QAction::triggered, this, [this, name] { openRecentFile(name); });
    }
    if (!recentItems_.empty()) recentItems_.push_back(file_->insertSeparator(exit_));
}

// A recent file that no longer opens (moved, deleted, damaged) may be struck off
// the list; the loader has already said why it failed.
void MainFrame::openRecentFile(const std::string& path) {
    if (window_) return showWarning(*ui_, CloseFirstMessage);
    if (openFile(path) || window_) return;
    const Button answer = ui_->message(MessageType::Confirmation, formatMessage(RecentFileFailed, path),
                                       ButtonYes | ButtonNo);
    if (answer != ButtonYes) return;
    removeRecentFile(settings_.recentFiles, path);
    rebuildRecentFiles();
}

// What the frame shows before the score window takes over the tools.
void MainFrame::applyAvailability() {
    const bool open = window_ != nullptr;
    for (const SpeedButtonInfo& info : speedButtons()) {
        QAction* a = speedAction(info.id);
        a->setEnabled(open && ScoreWindow::speedButtonWired(info.id));
        a->setChecked(false);
    }
    for (SpeedButton id : {SpeedButton::sbOpen, SpeedButton::sbNew}) {
        speedAction(id)->setVisible(!open);
        speedAction(id)->setEnabled(!open);
    }
    for (SpeedButton id : {SpeedButton::sbSave, SpeedButton::sbClose}) {
        speedAction(id)->setVisible(open);
        speedAction(id)->setEnabled(open);
    }
    speedAction(SpeedButton::sbExit)->setEnabled(true);
    for (SpeedButton id : {SpeedButton::sbfont, SpeedButton::sbfavfont}) // with or without a score
        speedAction(id)->setEnabled(true);
    // Without a score the buttons that stand only for a state of the score (the
    // object being entered, the header/footer screen) go. The other score commands
    // stay where they are, disabled and drawn faint: a bar whose buttons keep their
    // places is one the user learns by position, and the faint drawing leaves no
    // doubt that they wait for a score.
    if (!open)
        for (SpeedButton id : {SpeedButton::sbcomplete, SpeedButton::sbcloseHF})
            speedAction(id)->setVisible(false);
    // The level decides which placing modes the bar offers.
    for (SpeedButton id : {SpeedButton::sbText, SpeedButton::sbLine, SpeedButton::sbcurve, SpeedButton::sbsymbol,
                           SpeedButton::sbHairpin})
        if (settings_.Level <= 1) speedAction(id)->setEnabled(false);
}

void MainFrame::showTools(const ToolState& tools) {
    for (const ToolField& f : ToolFields) {
        QAction* a = speedAction(f.id);
        const ButtonState& b = tools.*(f.state);
        a->setVisible(b.visible);
        a->setEnabled(b.enabled && ScoreWindow::speedButtonWired(f.id));
        if (a->isCheckable()) a->setChecked(b.pressed);
    }
}

void MainFrame::showModeLabel(const QString& text, const QColor& colour) {
    modeLabel_->setText(text);
    QPalette palette = modeLabel_->palette();
    palette.setColor(QPalette::Window, groundFor(colour));
    palette.setColor(QPalette::WindowText, colour);
    modeLabel_->setPalette(palette);
}

void MainFrame::showStatus(const QString& text) { status_->setText(text); }

// "Minuet.QVR* — Quaverly 32": the star only while the score has unsaved changes.
void MainFrame::showScoreCaption(const QString& name, bool modified) {
    setWindowTitle(name + (modified ? QStringLiteral("*") : QString()) + QStringLiteral(" \u2014 ") +
                   QString::fromUtf8(ProgramCaption));
}

void MainFrame::showDefaults(const QString& text) { defaults_->setText(text); }

QString MainFrame::statusText() const { return status_->text(); }

void MainFrame::playClick() {
    if (settings_.options.Sound) click_.play();
}

void MainFrame::speedButtonPressed(SpeedButton id) {
    switch (id) {
    case SpeedButton::sbOpen:
        return fileOpen();
    case SpeedButton::sbNew:
        return newScore();
    case SpeedButton::sbExit:
        close();
        return;
    case SpeedButton::sbfont:
        return fontCommand(FontCommand::DefineCurrent);
    case SpeedButton::sbfavfont:
        return fontCommand(FontCommand::UseFavourite);
    default:
        if (window_) window_->speedButton(id);
        if (window_) window_->refreshCaption(); // unless the button closed it
    }
}

void MainFrame::defaultStaveSize() {
    const DisplayUnit unit = displayUnit(settings_);
    const auto size = askStaveSize(*ui_, settings_.defaultStaveSize, unit);
    if (!size) return;
    if (*size < 0.2 || *size > 0.6) return showError(*ui_, StaveSizeOutOfRange);
    settings_.defaultStaveSize = *size;
}

// The default page is kept with the settings at once, as the options are.
void MainFrame::defaultPageSetup() {
    if (qv::defaultPageSetup(settings_, printers_.device(), *ui_) && !configPath_.empty())
        writeConfiguration(configPath_, settings_);
}

void MainFrame::showOptions() {
    std::optional<DocumentOptions> document;
    if (window_) document = documentOptionsOf(window_->document().score);
    const auto result = runOptionsDialog(this, settings_, document, *ui_);
    if (!result) return;
    settings_ = result->settings;
    setSpeedBarShown(settings_.options.Speedpanel);
    setLevel(settings_.Level);
    if (window_) {
        if (result->document) applyDocumentOptions(window_->document().score, *result->document);
        window_->drawContext().colours = coloursFrom(settings_.colours);
        window_->redrawPage();
        window_->refreshCaption();
    }
    if (!configPath_.empty()) writeConfiguration(configPath_, settings_);
}

} // namespace qv

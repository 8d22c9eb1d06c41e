#include "shell/optionsdialog.h"

#include "layout/spacing.h"
#include "model/pagegeometry.h"
#include "model/score.h"
#include "model/ui.h"
#include "render/drawcontext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace qv {

namespace {

// The five grades' names, as the rest of the program gives them.
const std::array<const char*, 5> SpacingNames{spacingName(1), spacingName(2), spacingName(3), spacingName(4),
                                               spacingName(5)};
// Pulse codes 1..6 in the two languages of duration names.
const std::array<const char*, 6> BritishPulseNames{"Semibreve", "Minim",      "Crotchet",
                                                   "Quaver",    "Semiquaver", "Demisemiquaver"};
const std::array<const char*, 6> AmericanPulseNames{"Whole note",  "Half note",      "Quarter note",
                                                    "Eighth note", "Sixteenth note", "Thirty-second note"};
constexpr int MaxLineThickness = 5; // the thickness dialog's "&0" … "&5"
constexpr int MinScrollSpeed = 1;
constexpr int MaxScrollSpeed = 10;

QString text(const char* s) {
    return QString::fromUtf8(s);
}

// A caption without its mnemonic, for window titles.
QString plainCaption(const QString& caption) {
    QString plain = caption;
    return plain.remove(QLatin1Char('&'));
}

std::uint32_t fromQColor(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

QIcon swatch(std::uint32_t colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(toQColor(colour));
    return QIcon(pixmap);
}

QCheckBox* addCheck(QWidget* page, QLayout* layout, const char* caption, bool checked) {
    auto* box = new QCheckBox(text(caption), page);
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}

QSpinBox* addSpin(QWidget* page, QFormLayout* form, const char* caption, int low, int high, int value) {
    auto* box = new QSpinBox(page);
    box->setRange(low, high);
    box->setValue(value);
    form->addRow(text(caption), box); // the row's label takes the box as its buddy
    return box;
}

// A titled group of radio buttons with ids firstId, firstId + 1, …; `checked` is
// the id to check (none when it is not among them).
QButtonGroup* addRadioGroup(QWidget* page, QLayout* layout, const char* title, const QStringList& captions,
                            int firstId, int checked) {
    auto* box = new QGroupBox(text(title), page);
    auto* inner = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto* radio = new QRadioButton(captions[i], box);
        group->addButton(radio, firstId + i);
        inner->addWidget(radio);
    }
    if (QAbstractButton* b = group->button(checked)) b->setChecked(true);
    layout->addWidget(box);
    return group;
}

// The checked id, or `fallback` when the setting held a value no button stands for.
int checkedOr(const QButtonGroup* group, int fallback) {
    const int id = group->checkedId();
    return id == -1 ? fallback : id;
}

// A box shows a setting limited to its range; left alone, it gives the setting
// back as it was, so that opening and closing the dialog changes nothing.
int spinValue(const QSpinBox* box, int original) {
    return box->value() == std::clamp(original, box->minimum(), box->maximum()) ? original : box->value();
}

QStringList captions(const auto& names) {
    QStringList list;
    for (const char* n : names)
        list << text(n);
    return list;
}

DisplayUnit unitOf(bool inches) {
    return inches ? DisplayUnit::Inches : DisplayUnit::Millimetres;
}

} // namespace

DocumentOptions documentOptionsOf(const Score& score) {
    return {score.Spacing, score.Pulse, score.Beamang};
}

bool applyDocumentOptions(Score& score, const DocumentOptions& options) {
    if (documentOptionsOf(score) == options) return false;
    score.Spacing = options.spacing;
    score.Pulse = options.pulse;
    score.setBeamang(options.beamang);
    score.modified = true;
    return true;
}

OptionsDialog::OptionsDialog(const Settings& settings, const std::optional<DocumentOptions>& openScore,
                             Ui& ui, QWidget* parent)
    : QDialog(parent), original_(settings), openScore_(openScore), ui_(ui), colours_(settings.colours),
      staveSize_(settings.defaultStaveSize) {
    setWindowTitle(QStringLiteral("Options"));
    chooser_ = [this](std::uint32_t current, const QString& title) -> std::optional<std::uint32_t> {
        const QColor chosen = QColorDialog::getColor(toQColor(current), this, title);
        if (!chosen.isValid()) return std::nullopt;
        return fromQColor(chosen);
    };

    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    // Every tab's name in full, never behind scroll arrows: the dialog grows to fit.
    tabs->setUsesScrollButtons(false);
    tabs->setElideMode(Qt::ElideNone);
    tabs->addTab(desktopPage(), QStringLiteral("Desktop"));
    tabs->addTab(musicalPage(), QStringLiteral("Musical"));
    tabs->addTab(documentPage(), QStringLiteral("Document"));
    tabs->addTab(languagePage(), QStringLiteral("Language"));
    tabs->addTab(cursorPage(), QStringLiteral("Cursor"));
    tabs->addTab(coloursPage(), QStringLiteral("Colours"));
    tabs->addTab(sizePage(), QStringLiteral("Size"));
    layout->addWidget(tabs);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
    layout->addWidget(buttons);
    showPulseNames();
    showStaveSize();
}

QWidget* OptionsDialog::desktopPage() {
    const OptionSettings& o = original_.options;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    undo_ = addSpin(page, form, "U&ndo depth", 0, MaxUndoDepth, o.Undo);
    undo_->setSingleStep(UndoDepthStep);
    sound_ = addCheck(page, layout, "Sound &effects", o.Sound);
    speedBar_ = addCheck(page, layout, "S&peed bar", o.Speedpanel);
    hintsOff_ = addCheck(page, layout, "Signposts o&ff", o.HintsOff);
    fastCpu_ = addCheck(page, layout, "&I have a fast computer", o.FastCPU);
    noTemplates_ = addCheck(page, layout, "No templ&ates", !o.Templates);
    scrollbars_ = addCheck(page, layout, "Use scroll &bars instead of dragging the page", o.Scrollbars);
    tips_ = addCheck(page, layout, "Show the &tip of the day at start-up", o.Tips);
    previewDetails_ = addCheck(page, layout, "Print preview shows the music in &detail", o.Previewdetails);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::musicalPage() {
    const OptionSettings& o = original_.options;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    twoDot_ = addCheck(page, layout, "Allo&w Double/triple dotting with . after note name", o.TwoDot);
    cClef_ = addCheck(page, layout, "Alto and tenor &clefs in the clef cycle", o.CClef);
    fiveStyles_ = addCheck(page, layout, "All five note &head styles in the style cycle", o.FiveStyles);
    naturals_ = addCheck(page, layout, "Natu&rals in key changes (new scores)", o.NaturalsInKeyChange);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::documentPage() {
    const DocumentOptions shown = openScore_.value_or(DocumentOptions{original_.defaultSpacing, 3, 10});
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    spacing_ = addRadioGroup(page, row, "Spacing Gap", captions(SpacingNames), 1, shown.spacing);
    // The captions follow the language chosen on the Language page.
    pulse_ = addRadioGroup(page, row, "Pulse", captions(BritishPulseNames), 1, shown.pulse);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    beamang_ = addSpin(page, form, "Change minimum beaming angle", 0, MaxBeamang, shown.beamang);
    beamang_->setSuffix(QStringLiteral(" degrees"));
    if (!openScore_) {
        for (QWidget* w : {static_cast<QWidget*>(spacing_->parent()), static_cast<QWidget*>(pulse_->parent()),
                           static_cast<QWidget*>(beamang_), form->labelForField(beamang_)})
            w->setEnabled(false);
        auto* none =
            new QLabel(QStringLiteral("These options belong to the open score; no score is open."), page);
        none->setWordWrap(true);
        layout->addWidget(none);
    }
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::languagePage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* box = new QGroupBox(QStringLiteral("Names of note lengths"), page);
    auto* inner = new QVBoxLayout(box);
    british_ = new QRadioButton(QStringLiteral("Us&e UK names"), box);
    american_ = new QRadioButton(QStringLiteral("Use U&S names"), box);
    inner->addWidget(british_);
    inner->addWidget(american_);
    (original_.options.Language == 1 ? american_ : british_)->setChecked(true);
    connect(american_, &QRadioButton::toggled, this, &OptionsDialog::showPulseNames);
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::cursorPage() {
    const OptionSettings& o = original_.options;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    cursorThickness_ = addRadioGroup(page, row, "Thickness", {"&1", "&2", "&3"}, 1, o.Cursorthickness);
    cursorType_ = addRadioGroup(page, row, "Type", {"I-&beam", "B&ox", "C&ross"}, 0, o.Cursortype);
    layout->addWidget(colourButton("&New Colour", &ColourSettings::Cursor, page));
    slowScroll_ = addCheck(page, layout, "Slow Scrollin&g", o.Slowscroll);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    scrollSpeed_ = addSpin(page, form, "&Scroll Speed", MinScrollSpeed, MaxScrollSpeed, o.Scrollspeed);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::coloursPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    const std::array<std::pair<const char*, std::uint32_t ColourSettings::*>, 12> colours{{
        {"&Ink (normal)", &ColourSettings::Ink},
        {"&Non-printing objects", &ColourSettings::Nonprinting},
        {"Pro&visional Objects", &ColourSettings::Putative},
        {"&Lines being drawn", &ColourSettings::Line},
        {"Era&se Objects", &ColourSettings::Erase},
        {"&Anchors", &ColourSettings::Anchor},
        {"&Edit objects", &ColourSettings::Edit},
        {"Marked &block", &ColourSettings::Block},
        {"Marked objec&ts", &ColourSettings::Marked},
        {"Global Te&xt", &ColourSettings::UniversalText},
        {"Strin&gs", &ColourSettings::Strings},
        {"Form backgrounds", &ColourSettings::Defaultform},
    }};
    for (std::size_t i = 0; i < colours.size(); ++i)
        grid->addWidget(colourButton(colours[i].first, colours[i].second, page), static_cast<int>(i / 2),
                        static_cast<int>(i % 2));
    auto* reset = new QPushButton(QStringLiteral("Reset to De&fault"), page);
    connect(reset, &QPushButton::clicked, this, &OptionsDialog::resetColours);
    grid->addWidget(reset, grid->rowCount(), 0);
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QWidget* OptionsDialog::sizePage() {
    const OptionSettings& o = original_.options;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* units = new QGroupBox(QStringLiteral("Units of measurements"), page);
    auto* inner = new QVBoxLayout(units);
    inches_ = new QRadioButton(QStringLiteral("In&ches"), units);
    millimetres_ = new QRadioButton(QStringLiteral("&Millimetres"), units);
    inner->addWidget(inches_);
    inner->addWidget(millimetres_);
    (o.Units ? inches_ : millimetres_)->setChecked(true);
    connect(inches_, &QRadioButton::toggled, this, &OptionsDialog::showStaveSize);
    layout->addWidget(units);

    auto* form = new QFormLayout;
    layout->addLayout(form);
    staveSizeBox_ = new QDoubleSpinBox(page);
    form->addRow(QStringLiteral("Default stave si&ze"), staveSizeBox_);
    connect(staveSizeBox_, &QDoubleSpinBox::valueChanged, this, &OptionsDialog::staveSizeEdited);
    defaultSpacing_ = new QComboBox(page);
    defaultSpacing_->addItems(captions(SpacingNames));
    defaultSpacing_->setCurrentIndex(std::clamp(original_.defaultSpacing, 1, 5) - 1);
    form->addRow(QStringLiteral("Default s&pacing for new scores"), defaultSpacing_);
    lineWidth_ = addSpin(page, form, "Line &Width", 0, MaxLineThickness, o.Linewidth);
    curveDepth_ = addSpin(page, form, "Cur&ve Depth", 0, MaxLineThickness, o.Curvedepth);
    layout->addStretch();
    return page;
}

QPushButton* OptionsDialog::colourButton(const char* caption, std::uint32_t ColourSettings::*member,
                                         QWidget* parent) {
    auto* button = new QPushButton(text(caption), parent);
    button->setIcon(swatch(colours_.*member));
    connect(button, &QPushButton::clicked, this, [this, button, member] { chooseColour(button, member); });
    colourButtons_.emplace_back(button, member);
    return button;
}

void OptionsDialog::chooseColour(QPushButton* button, std::uint32_t ColourSettings::*member) {
    if (const auto chosen = chooser_(colours_.*member, plainCaption(button->text()))) {
        colours_.*member = *chosen;
        button->setIcon(swatch(*chosen));
    }
}

bool OptionsDialog::american() const {
    return american_->isChecked();
}

void OptionsDialog::resetColours() {
    const char* question = american() ? ResetColoursQuestionAmerican : ResetColoursQuestionBritish;
    if (ui_.message(MessageType::Confirmation, question, ButtonYes | ButtonNo) != ButtonYes) return;
    // The background is not the dialog's to set: it keeps its value.
    const std::uint32_t background = colours_.Background;
    colours_ = ColourSettings{};
    colours_.Background = background;
    showColours();
}

void OptionsDialog::showColours() {
    for (const auto& [button, member] : colourButtons_)
        button->setIcon(swatch(colours_.*member));
}

void OptionsDialog::showPulseNames() {
    const auto& names = american() ? AmericanPulseNames : BritishPulseNames;
    for (int code = 1; code <= static_cast<int>(names.size()); ++code)
        pulse_->button(code)->setText(text(names[static_cast<std::size_t>(code - 1)]));
}

void OptionsDialog::showStaveSize() {
    const DisplayUnit unit = unitOf(inches_->isChecked());
    const double factor = unitFactor(unit);
    const int decimals = unit == DisplayUnit::Inches ? 3 : 1;
    const double step = std::pow(10.0, -decimals);
    // The box's limits in the unit, rounded inwards so that every value shown
    // stays within the allowed stave sizes.
    const double low = std::ceil(MinStaveSize / factor / step) * step;
    const double high = std::floor(MaxStaveSize / factor / step) * step;
    const QSignalBlocker block(staveSizeBox_);
    staveSizeBox_->setDecimals(decimals);
    staveSizeBox_->setSingleStep(step);
    staveSizeBox_->setRange(low, high);
    staveSizeBox_->setSuffix(unit == DisplayUnit::Inches ? QStringLiteral("\"") : QStringLiteral(" mm"));
    staveSizeBox_->setValue(staveSize_ / factor);
}

void OptionsDialog::staveSizeEdited(double shown) {
    staveSize_ = std::clamp(shown * unitFactor(unitOf(inches_->isChecked())), MinStaveSize, MaxStaveSize);
}

Settings OptionsDialog::settings() const {
    Settings s = original_;
    OptionSettings& o = s.options;
    o.Undo = spinValue(undo_, o.Undo);
    o.Sound = sound_->isChecked();
    o.Speedpanel = speedBar_->isChecked();
    o.HintsOff = hintsOff_->isChecked();
    o.FastCPU = fastCpu_->isChecked();
    o.Templates = !noTemplates_->isChecked();
    o.Scrollbars = scrollbars_->isChecked();
    o.Tips = tips_->isChecked();
    o.Previewdetails = previewDetails_->isChecked();
    o.TwoDot = twoDot_->isChecked();
    o.CClef = cClef_->isChecked();
    o.FiveStyles = fiveStyles_->isChecked();
    o.NaturalsInKeyChange = naturals_->isChecked();
    o.Language = american() ? 1 : 0;
    o.Cursorthickness = checkedOr(cursorThickness_, o.Cursorthickness);
    o.Cursortype = checkedOr(cursorType_, o.Cursortype);
    o.Slowscroll = slowScroll_->isChecked();
    o.Scrollspeed = spinValue(scrollSpeed_, o.Scrollspeed);
    o.Units = inches_->isChecked();
    o.Linewidth = spinValue(lineWidth_, o.Linewidth);
    o.Curvedepth = spinValue(curveDepth_, o.Curvedepth);
    s.colours = colours_;
    s.defaultStaveSize = staveSize_;
    s.defaultSpacing = defaultSpacing_->currentIndex() + 1;
    return s;
}

std::optional<DocumentOptions> OptionsDialog::document() const {
    if (!openScore_) return std::nullopt;
    return DocumentOptions{checkedOr(spacing_, openScore_->spacing), checkedOr(pulse_, openScore_->pulse),
                           spinValue(beamang_, openScore_->beamang)};
}

void OptionsDialog::accept() {
    // The undo store of an open score was made with the old depth.
    if (openScore_ && spinValue(undo_, original_.options.Undo) != original_.options.Undo) {
        ui_.message(MessageType::Warning, formatMessage(UndoLockedMessage, original_.options.Undo), ButtonOk);
        undo_->setValue(original_.options.Undo);
    }
    QDialog::accept();
}

std::optional<OptionsResult> runOptionsDialog(QWidget* parent, const Settings& settings,
                                              const std::optional<DocumentOptions>& openScore, Ui& ui) {
    OptionsDialog dialog(settings, openScore, ui, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return OptionsResult{dialog.settings(), dialog.document()};
}

} // namespace qv

#include "shell/qtui.h"

#include "model/fonttable.h"

#include "files/partialsave.h"
#include "files/templates.h"
#include "edit/bindingdialog.h"
#include "edit/information.h"
#include "edit/symbolpalette.h"
#include "shell/changefontdialog.h"
#include "shell/infowindow.h"
#include "shell/pagesetupwidget.h"
#include "shell/placingforms.h"
#include "shell/savepartwidget.h"
#include "shell/stavedialogs.h"
#include "shell/templateselectionwidget.h"
#include "shell/attributes/clefattributeswidget.h"
#include "shell/attributes/keysigattributeswidget.h"
#include "shell/attributes/noteattributeswidget.h"
#include "shell/attributes/singleattributeswidget.h"
#include "shell/transposewidget.h"
// text attributes and favourite fonts
#include "edit/attributes/textattributes.h"
#include "edit/fontcommands.h"
#include "shell/favouritechooserwidget.h"
#include "shell/textattributeswidget.h"
#include "transpose/transposedialog.h"

#include <QCursor>
#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QProgressDialog>
#include <QMessageBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <filesystem>
#include <utility>

namespace qv {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QMessageBox::Icon iconFor(MessageType type) {
    switch (type) {
    case MessageType::Error:
        return QMessageBox::Critical;
    case MessageType::Warning:
        return QMessageBox::Warning;
    case MessageType::Information:
        return QMessageBox::Information;
    case MessageType::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

constexpr std::array<std::pair<Button, QMessageBox::StandardButton>, 8> ButtonMap{{
    {ButtonOk, QMessageBox::Ok},
    {ButtonCancel, QMessageBox::Cancel},
    {ButtonYes, QMessageBox::Yes},
    {ButtonNo, QMessageBox::No},
    {ButtonAbort, QMessageBox::Abort},
    {ButtonRetry, QMessageBox::Retry},
    {ButtonIgnore, QMessageBox::Ignore},
    {ButtonHelp, QMessageBox::Help},
}};

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
    QMessageBox::StandardButtons result;
    for (const auto& [ours, theirs] : ButtonMap)
        if (buttons & ours) result |= theirs;
    // A box needs a way out.
    return result ? result : QMessageBox::StandardButtons(QMessageBox::Ok);
}

Button buttonFor(QMessageBox::StandardButton pressed) {
    for (const auto& [ours, theirs] : ButtonMap)
        if (pressed == theirs) return ours;
    return ButtonNone;
}

// File names and descriptions end up in these texts; a "<" in one must not turn
// the line into markup.
void makePlain(QWidget& dialog) {
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

// A dialog opened from within another modal dialog (the refusal in "Save Part of
// Score", a question of the Options dialog) belongs over that dialog.
QWidget* ownerFor(QWidget* frame) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : frame;
}

} // namespace

std::string withDefaultExtension(const std::string& path, const std::string& extension) {
    if (extension.empty() || path.empty()) return path;
    if (std::filesystem::path(path).filename().has_extension()) return path;
    return path + "." + extension;
}

QtUi::QtUi(QWidget* parent) : parent_(parent) {}

QtUi::~QtUi() {
    while (busyDepth_ > 0)
        setBusy(false);
}

int QtUi::execDialog(QDialog& dialog) {
    return dialog.exec();
}

Button QtUi::message(MessageType type, const std::string& text, Buttons buttons) {
    return captionedMessage(type, ApplicationTitle, text, buttons);
}

Button QtUi::captionedMessage(MessageType type, const std::string& caption, const std::string& text,
                              Buttons buttons) {
    QMessageBox box(iconFor(type), qs(caption), qs(text), standardButtons(buttons), ownerFor(parent_));
    box.setTextFormat(Qt::PlainText);
    execDialog(box);
    QAbstractButton* pressed = box.clickedButton();
    return pressed ? buttonFor(box.standardButton(pressed)) : ButtonNone;
}

std::optional<std::string> QtUi::inputBox(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) {
    QInputDialog dialog(ownerFor(parent_));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(qs(caption));
    dialog.setLabelText(qs(prompt));
    dialog.setTextValue(qs(initial));
    makePlain(dialog);
    if (execDialog(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

void QtUi::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

std::optional<SaveChoice> QtUi::chooseFile(const FileDialogRequest& request, bool forSaving) {
    QFileDialog dialog(ownerFor(parent_), qs(request.title), qs(request.folder), qs(request.filter));
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(qs(request.defaultExtension));
    if (!request.fileName.empty()) dialog.selectFile(qs(request.fileName));
    if (const QStringList filters = dialog.nameFilters(); request.selectedFilter < filters.size())
        dialog.selectNameFilter(filters.value(request.selectedFilter));
    if (execDialog(dialog) != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    // Native choosers do not all honour the default suffix.
    const std::string name = withDefaultExtension(chosen.front().toStdString(), request.defaultExtension);
    return SaveChoice{name, std::max(0, static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())))};
}

std::optional<std::string> QtUi::openFileName(const FileDialogRequest& request) {
    const std::optional<SaveChoice> choice = chooseFile(request, false);
    return choice ? std::optional<std::string>(choice->fileName) : std::nullopt;
}

std::optional<std::string> QtUi::saveFileName(const FileDialogRequest& request) {
    const std::optional<SaveChoice> choice = chooseFile(request, true);
    return choice ? std::optional<std::string>(choice->fileName) : std::nullopt;
}

std::optional<SaveChoice> QtUi::saveFileChoice(const FileDialogRequest& request) {
    return chooseFile(request, true);
}

void QtUi::showProgress(const std::string& text) {
    if (!progress_) {
        progress_ =
            std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
        progress_->setWindowTitle(QString::fromUtf8(ApplicationTitle));
        auto* layout = new QVBoxLayout(progress_.get());
        progressText_ = new QLabel(progress_.get());
        progressText_->setTextFormat(Qt::PlainText);
        auto* wait = new QLabel(QString::fromUtf8(PleaseWaitText), progress_.get());
        for (QLabel* label : {progressText_, wait}) {
            label->setAlignment(Qt::AlignCenter);
            layout->addWidget(label);
        }
    }
    progressText_->setText(qs(text));
    progress_->adjustSize();
    if (parent_) progress_->move(parent_->mapToGlobal(parent_->rect().center()) - progress_->rect().center());
    progress_->show();
    progress_->raise();
    // The work that follows runs without returning to the event loop; paint now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUi::closeProgress() {
    progress_.reset();
    progressText_ = nullptr;
}

void QtUi::abortableProgress(const std::string& caption, const std::string& text, int percent) {
    if (!abortable_) {
        abortable_ = new QProgressDialog(ownerFor(parent_));
        abortable_->setWindowModality(Qt::WindowModal);
        abortable_->setCancelButtonText(QStringLiteral("&Abort"));
        abortable_->setMinimumDuration(0);
        abortable_->setAutoClose(false);
        abortable_->setAutoReset(false);
    }
    abortable_->setWindowTitle(qs(caption));
    abortable_->setLabelText(qs(text));
    // Without a percentage the bar only shows that work goes on: the line says how far.
    abortable_->setRange(0, percent >= 0 ? 100 : 0);
    if (percent >= 0) abortable_->setValue(percent);
    abortable_->show();
    // The work runs without returning to the event loop: paint the line, and let
    // the abort button be pressed.
    QCoreApplication::processEvents();
}

bool QtUi::progressAborted() {
    if (!abortable_) return false;
    QCoreApplication::processEvents();
    return abortable_->wasCanceled();
}

void QtUi::closeAbortableProgress() { delete abortable_.data(); }

QWidget* QtUi::progressWindow() const {
    return progress_.get();
}

bool QtUi::runSavePartDialog(SavePartDialog& dialog) {
    SavePartWidget widget(dialog, ownerFor(parent_));
    execDialog(widget);
    return dialog.chosen().has_value();
}

bool QtUi::runTemplateSelection(TemplateSelectionDialog& dialog) {
    TemplateSelectionWidget widget(dialog, ownerFor(parent_));
    execDialog(widget);
    return dialog.chosenFile().has_value();
}

bool QtUi::runSymbolPalette(SymbolPalette& palette) {
    SymbolPaletteWidget widget(palette, ownerFor(parent_));
    return execDialog(widget) == QDialog::Accepted && palette.chosen != 0;
}

bool QtUi::runDrawingTools(DrawingTools& tools) {
    DrawingToolsWidget widget(tools, ownerFor(parent_));
    return execDialog(widget) == QDialog::Accepted;
}

bool QtUi::runBindingDialog(BindingDialog& dialog) {
    BindingWidget widget(dialog, ownerFor(parent_));
    return execDialog(widget) == QDialog::Accepted;
}

bool QtUi::runPageSetup(PageSetupDialog& dialog) {
    PageSetupWidget widget(dialog, ownerFor(parent_));
    return execDialog(widget) == QDialog::Accepted;
}

bool QtUi::runTransposeDialog(TransposeDialog& dialog) {
    TransposeWidget widget(dialog, ownerFor(parent_));
    execDialog(widget);
    return dialog.chosen().has_value();
}

void QtUi::runInformation(InformationDialog& dialog) {
    InfoWindow window(dialog, ownerFor(parent_));
    execDialog(window);
}

bool QtUi::runChangeFont(ChangeFontDialog& dialog) {
    ChangeFontWidget widget(dialog, ownerFor(parent_));
    return execDialog(widget) == QDialog::Accepted;
}

bool QtUi::execAttributeDialog(QDialog& dialog) {
    const QPoint pointer = QCursor::pos();
    const bool accepted = execDialog(dialog) == QDialog::Accepted;
    QCursor::setPos(pointer);
    return accepted;
}

bool QtUi::runNoteAttributes(NoteAttributes& dialog) {
    NoteAttributesWidget widget(dialog, ownerFor(parent_));
    return execAttributeDialog(widget);
}

bool QtUi::runClefAttributes(ClefAttributes& dialog) {
    ClefAttributesWidget widget(dialog, ownerFor(parent_));
    return execAttributeDialog(widget);
}

bool QtUi::runKeysigAttributes(KeysigAttributes& dialog) {
    KeysigAttributesWidget widget(dialog, ownerFor(parent_));
    return execAttributeDialog(widget);
}

bool QtUi::runSingleAttributes(SingleAttributes& dialog) {
    SingleAttributesWidget widget(dialog, ownerFor(parent_));
    return execAttributeDialog(widget);
}

std::optional<FontDesc> QtUi::chooseFont(const FontDesc& font) {
    QFont start(QString::fromStdString(font.name));
    start.setPointSize(std::clamp(font.size, 1, 255));
    start.setBold(font.style & FontBold);
    start.setItalic(font.style & FontItalic);
    start.setUnderline(font.style & FontUnderline);
    start.setStrikeOut(font.style & FontStrikeOut);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, start, ownerFor(parent_), QString(),
                                              QFontDialog::ScalableFonts | QFontDialog::NonScalableFonts);
    if (!ok) return std::nullopt;
    FontDesc result = font; // the colour is not the dialog's
    result.name = chosen.family().left(MaxFaceName).toStdString();
    result.size = std::clamp(chosen.pointSize(), 1, 255);
    result.style = static_cast<std::uint8_t>((chosen.bold() ? FontBold : 0) | (chosen.italic() ? FontItalic : 0) |
                                             (chosen.underline() ? FontUnderline : 0) |
                                             (chosen.strikeOut() ? FontStrikeOut : 0));
    return result;
}

bool QtUi::runTextAttributes(TextAttributes& dialog) {
    TextAttributesWidget widget(dialog, *this, ownerFor(parent_));
    return execDialog(widget) == QDialog::Accepted;
}

bool QtUi::runFavouriteChooser(FavouriteChooser& chooser) {
    FavouriteChooserWidget widget(chooser, ownerFor(parent_));
    return execDialog(widget) == QDialog::Accepted;
}

int QtUi::blockModeAction() {
    BlockActionWidget widget(ownerFor(parent_));
    const int answer = execDialog(widget);
    return answer == QDialog::Rejected ? BlockCancel : answer; // Esc and the close box cancel
}

std::optional<int> QtUi::chooseObjectType(const std::vector<int>& kinds) {
    return chooseObjectKind(kinds, ownerFor(parent_), [this](QDialog& d) { return execDialog(d); });
}

} // namespace qv

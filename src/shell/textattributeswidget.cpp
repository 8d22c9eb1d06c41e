#include "shell/textattributeswidget.h"

#include "edit/attributes/textattributes.h"
#include "model/ui.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace qv {

namespace {

// Characters inside text that stand for signs, and what the memo shows for them.
constexpr std::array<std::pair<unsigned char, char16_t>, 4> Signs{{
    {141, u'\u266D'}, // flat
    {142, u'\u266E'}, // natural
    {143, u'\u266F'}, // sharp
    {30, u'\u2423'},  // the blank as wide as "d"
}};

QFont memoFont(const FontDesc& f) {
    QFont font(QString::fromStdString(f.name));
    font.setPointSize(std::clamp(f.size, 1, 255));
    font.setBold(f.style & FontBold);
    font.setItalic(f.style & FontItalic);
    font.setUnderline(f.style & FontUnderline);
    font.setStrikeOut(f.style & FontStrikeOut);
    return font;
}

Qt::CheckState checkState(TriState s) {
    return s == TriState::Ticked ? Qt::Checked : s == TriState::Grey ? Qt::PartiallyChecked : Qt::Unchecked;
}

TriState triState(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked: return TriState::Ticked;
    case Qt::PartiallyChecked: return TriState::Grey;
    default: return TriState::Clear;
    }
}

} // namespace

QString memoText(const std::string& text) {
    QString s;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const auto* sign =
            std::find_if(Signs.begin(), Signs.end(), [c](const auto& p) { return p.first == c; });
        s += sign != Signs.end() ? QChar(sign->second) : QChar(c);
    }
    return s;
}

std::string storedText(const QString& memo) {
    std::string text;
    for (QChar q : memo) {
        const char16_t u = q.unicode();
        const auto* sign =
            std::find_if(Signs.begin(), Signs.end(), [u](const auto& p) { return p.second == u; });
        if (sign != Signs.end())
            text += static_cast<char>(sign->first);
        else if (u == u'\n' || u == u'\t' || u == QChar::ParagraphSeparator || u == QChar::LineSeparator)
            text += ' ';
        else
            text += u >= 32 && u <= 255 ? static_cast<char>(u) : '?';
    }
    return text;
}

TextAttributesWidget::TextAttributesWidget(TextAttributes& model, Ui& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
    setWindowTitle(QStringLiteral("Text Attributes"));
    auto* column = new QVBoxLayout(this);
    if (model.several) {
        auto* more = new QLabel(QString::fromUtf8(MoreThanOneText), this);
        auto* only = new QLabel(QString::fromUtf8(OnlyAttributesText), this);
        column->addWidget(more);
        column->addWidget(only);
    } else {
        memo_ = new QPlainTextEdit(memoText(model.text), this);
        memo_->setObjectName(QStringLiteral("memo"));
        memo_->setTabChangesFocus(true); // Tab goes on to the next control
        memo_->setFont(memoFont(model.font));
        memo_->setMinimumSize(320, 100);
        column->addWidget(memo_);
    }

    auto* row = new QHBoxLayout;
    auto* font = new QPushButton(QStringLiteral("  &Font"), this);
    font->setObjectName(QStringLiteral("fontButton"));
    font->setAutoDefault(false);
    connect(font, &QPushButton::clicked, this, [this] { chooseFont(); });
    row->addWidget(font, 0, Qt::AlignTop);

    auto* group = new QGroupBox(QStringLiteral("Text Attributes"), this);
    auto* boxes = new QVBoxLayout(group);
    const auto box = [&](const char* caption, TriState state) {
        auto* b = new QCheckBox(QString::fromUtf8(caption), group);
        b->setTristate(model.several);
        b->setCheckState(checkState(state));
        boxes->addWidget(b);
        return b;
    };
    transposable_ = box("&Transposable", model.transposable);
    immobile_ = box("&Immobile", model.immobile);
    boxed_ = box("&Boxed", model.boxed);
    row->addWidget(group, 1);
    column->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    if (memo_) memo_->setFocus();
}

void TextAttributesWidget::chooseFont() {
    const std::optional<FontDesc> chosen = ui_.chooseFont(model_.font);
    if (!chosen) return;
    model_.font = *chosen;
    model_.fontChosen = true;
    if (memo_) memo_->setFont(memoFont(*chosen));
}

void TextAttributesWidget::accept() {
    if (memo_) model_.text = storedText(memo_->toPlainText()).substr(0, MaxTextLength);
    model_.transposable = triState(transposable_);
    model_.immobile = triState(immobile_);
    model_.boxed = triState(boxed_);
    QDialog::accept();
}

} // namespace qv

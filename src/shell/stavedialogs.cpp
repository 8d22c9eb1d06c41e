#include "shell/stavedialogs.h"

#include "edit/bindingdialog.h"
#include "model/ui.h"
#include "shell/hint.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

BindingWidget::BindingWidget(BindingDialog& model, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(BindingDialog::Caption));
    setObjectName(QStringLiteral("TBindingDialog"));
    BindingFlags& f = model.flags;
    auto* layout = new QVBoxLayout(this);
    auto* current = new QGroupBox(QStringLiteral("Current Stave"));
    auto* apart = new QRadioButton(QStringLiteral("Do &Not join to next"));
    auto* joined = new QRadioButton(QStringLiteral("&Join to next"));
    (f.joinToNext ? joined : apart)->setChecked(true);
    auto* currentLayout = new QVBoxLayout(current);
    currentLayout->addWidget(apart), currentLayout->addWidget(joined);
    current->setEnabled(model.joinOffered());
    layout->addWidget(current);
    const auto box = [&](QLayout* into, const char* caption, bool& flag) {
        auto* c = new QCheckBox(QString::fromUtf8(caption));
        c->setChecked(flag);
        connect(c, &QCheckBox::toggled, this, [&flag](bool on) { flag = on; });
        into->addWidget(c);
        return c;
    };
    auto* binding = new QGroupBox(QStringLiteral("Type of binding"));
    auto* bindingLayout = new QVBoxLayout(binding);
    QCheckBox* joinedOnly[] = {box(bindingLayout, "With &brace", f.brace),
                               box(bindingLayout, "Bar &line through", f.barLineThrough), nullptr, nullptr,
                               nullptr};
    box(bindingLayout, "&Full end bar", f.fullEndBar);
    box(bindingLayout, "With b&racket", f.bracket);
    joinedOnly[2] = box(bindingLayout, "Bracket &with next", f.bracketWithNext);
    layout->addWidget(binding);
    auto* other = new QGroupBox(QStringLiteral("Other"));
    auto* otherLayout = new QVBoxLayout(other);
    setHint(box(otherLayout, "&Page break after stave", f.ForcedBk),
            QString::fromUtf8(BindingDialog::PageBreakHint));
    box(otherLayout, "&Invisible", f.invisible);
    layout->addWidget(other);
    const auto follow = [this, &model, joinedOnly] {
        for (QCheckBox* c : joinedOnly)
            if (c) c->setEnabled(model.joinedControlsEnabled());
    };
    connect(joined, &QRadioButton::toggled, this, [&f, follow](bool on) { f.joinToNext = on, follow(); });
    follow();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

BlockActionWidget::BlockActionWidget(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Specify action on marked block"));
    setObjectName(QStringLiteral("Tblockmodeaction"));
    setMinimumWidth(300); // room for the caption in the title bar
    auto* layout = new QVBoxLayout(this);
    for (const auto& [caption, code] : {std::pair{"&Copy Block", int(BlockCopy)}, {"&Move Block", int(BlockMove)},
                                        {"&Delete Block", int(BlockDelete)}, {"Alt&er Attributes", int(BlockAlterAttributes)},
                                        {"&PCX Export", int(BlockPcxExport)}, {"&Ignore that", int(BlockIgnore)},
                                        {"C&ancel", int(BlockCancel)}}) {
        auto* b = new QPushButton(QString::fromUtf8(caption));
        connect(b, &QPushButton::clicked, this, [this, code] { done(code); });
        layout->addWidget(b);
    }
}

std::optional<int> chooseObjectKind(const std::vector<int>& kinds, QWidget* parent,
                                    const std::function<int(QDialog&)>& exec) {
    static const char* const names[] = {"Clef", "Key signature", "Symbol", "Time signature", "Bar line",
                                        "Note or rest", "Tie", "Accidental", "Deleted", "Short text",
                                        "Tie link", "Line", "Curve", "Symbol", "Arpeggio", "Unused", "Text",
                                        "Hairpin", "Shape"};
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Object type selection"));
    dialog.setObjectName(QStringLiteral("Ttypeselect"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget;
    for (int k : kinds)
        list->addItem(k >= 0 && k < int(std::size(names)) ? QString::fromUtf8(names[k]) : QString::number(k));
    if (list->count() > 0) list->setCurrentRow(0);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Abort);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (exec(dialog) != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
    return kinds[static_cast<std::size_t>(list->currentRow())];
}

} // namespace qv

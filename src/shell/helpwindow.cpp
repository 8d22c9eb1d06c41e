#include "shell/helpwindow.h"

#include "shell/hint.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace qv {
namespace {

const QString helpFolder = QStringLiteral(":/shell/help/");

QPointer<HelpWindow>& theWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

QString readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QStringList helpPageNames() {
    return {QStringLiteral("index"), QStringLiteral("keyboard"), QStringLiteral("gettingstarted"),
            QStringLiteral("about")};
}

QUrl helpPageUrl(const QString& name) {
    if (!helpPageNames().contains(name)) return {};
    return QUrl(QStringLiteral("qrc") + helpFolder + name + QStringLiteral(".html"));
}

QString tutorialText() {
    return readResource(QStringLiteral(":/shell/tutorial.html"));
}

QStringList tipsOfTheDay() {
    // One tip a line; blank lines and lines starting with '#' are the file's own notes.
    QStringList tips;
    const QStringList lines = readResource(QStringLiteral(":/shell/tips.txt")).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString tip = line.trimmed();
        if (!tip.isEmpty() && !tip.startsWith(QLatin1Char('#'))) tips.append(tip);
    }
    return tips;
}

HelpWindow* HelpWindow::showPage(QWidget* owner, const QString& name) {
    QPointer<HelpWindow>& window = theWindow();
    if (!window) window = new HelpWindow(owner); // owned by `owner`, or deletes itself on close
    window->openPage(name);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow* HelpWindow::existing() {
    return theWindow();
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    // Without an owner nothing else would ever free the window.
    if (!owner) setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quaverly Help"));
    resize(640, 560);

    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);

    auto makeButton = [this](const QString& text, const QString& tip) {
        auto* button = new QToolButton(this);
        button->setText(text);
        setHint(button, tip);
        return button;
    };
    QToolButton* contents = makeButton(QStringLiteral("Contents"), QStringLiteral("Show the contents page"));
    back_ = makeButton(QStringLiteral("Back"), QStringLiteral("Go back to the page you saw before"));
    forward_ = makeButton(QStringLiteral("Forward"), QStringLiteral("Go forward again"));
    connect(contents, &QToolButton::clicked, this, [this] { openPage(QStringLiteral("index")); });
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { updateButtons(); });
    connect(browser_, &QTextBrowser::historyChanged, this, [this] { updateButtons(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    updateButtons();
}

HelpWindow::~HelpWindow() = default;

bool HelpWindow::openPage(const QString& name) {
    const bool known = helpPageNames().contains(name);
    browser_->setSource(helpPageUrl(known ? name : QStringLiteral("index")), QTextDocument::HtmlResource);
    return known;
}

QString HelpWindow::currentPage() const {
    const QString file = browser_->source().fileName();
    return file.endsWith(QStringLiteral(".html")) ? file.chopped(5) : file;
}

void HelpWindow::updateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Quaverly Help")
                                   : QStringLiteral("Quaverly Help - ") + title);
}

} // namespace qv

#pragma once
// The help pages, the tutorial pane's text and the tips of the day. The pages are
// HTML compiled in under ":/shell/help"; they link to each other by relative names.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace qv {

// The pages a caller may ask for by name: "index", "keyboard", "gettingstarted", "about".
QStringList helpPageNames();
// The page's address, e.g. "qrc:/shell/help/keyboard.html"; an empty URL for an unknown name.
QUrl helpPageUrl(const QString& name);

// The rich text of the tutorial pane below the score window.
QString tutorialText();
// The tips of the day, one short paragraph each, in the order they are shown.
QStringList tipsOfTheDay();

// The help window: one non-modal window for the whole program, with back, forward
// and contents buttons over the page.
class HelpWindow : public QWidget {
  public:
    // Shows the one help window on the named page, making it (owned by `owner`) on
    // first use and raising it afterwards. An unknown name shows the contents.
    static HelpWindow* showPage(QWidget* owner, const QString& name);
    // The window if it exists; nullptr before the first showPage or after it was closed.
    static HelpWindow* existing();

    explicit HelpWindow(QWidget* owner);
    ~HelpWindow() override;

    // Opens the named page; false (and the contents shown) for an unknown name.
    bool openPage(const QString& name);
    // The name of the page shown ("keyboard"), following links the user clicked.
    QString currentPage() const;
    QTextBrowser* browser() const { return browser_; }

  private:
    void updateButtons();

    QTextBrowser* browser_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
};

} // namespace qv

#pragma once
// The score information window (TInfoForm, "Quaverly 32 Information"): five pages of
// figures in a tab widget, "&Document", "&Fonts", "&Page size", "&Settings" and
// "P&rinter", opening on the page last shown. The "&Fonts" page lists the fonts in
// use and redefines one with "&Change". The InformationDialog model holds the
// figures and does the change.

#include <QDialog>

class QGridLayout;
class QListWidget;
class QTabWidget;

namespace qv {

class InformationDialog;
struct InfoPage;

class InfoWindow : public QDialog {
  public:
    explicit InfoWindow(InformationDialog& model, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QListWidget* fontList() const { return fontList_; }

  private:
    QWidget* figuresPage(const InfoPage& page);
    QWidget* fontsPage();
    void fillFontList();

    InformationDialog& model_;
    QTabWidget* tabs_ = nullptr;
    QListWidget* fontList_ = nullptr;
};

} // namespace qv

// The score window's zoom: the Zoom menu and its keys, Ctrl with the wheel, fitting
// the page to the window, and the page surface drawn at the zoom's resolution.

#include "shell/pageview.h"
#include "shell/scorewindow.h"
#include "shell/windowmenus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace qv {

void ScoreWindow::createZoomMenu(QMenu* pageMenu) {
    zoomPercent_ = clampZoom(settings_.Zoom);
    zoomFit_ = static_cast<ZoomFit>(std::clamp(settings_.Zoomfit, 0, 2));
    zoomMenu_ = pageMenu->addMenu(windowMenuTitle(WindowMenu::Zoom));
    for (const WindowItem& item : windowItems())
        if (item.menu == WindowMenu::Zoom) {
            zoomMenu_->addAction(action(item.name));
            addAction(action(item.name));
        }
    // Ctrl+= is Ctrl++ without the Shift on most keyboards; the keypad has its own.
    const auto keys = [](Qt::KeyboardModifiers modifiers, Qt::Key key) {
        return QKeySequence(QKeyCombination(modifiers, key));
    };
    const Qt::KeyboardModifiers keypad = Qt::ControlModifier | Qt::KeypadModifier;
    action("ZoomIn")->setShortcuts(QList<QKeySequence>{keys(Qt::ControlModifier, Qt::Key_Plus),
                                                       keys(Qt::ControlModifier, Qt::Key_Equal),
                                                       keys(keypad, Qt::Key_Plus)});
    action("ZoomOut")->setShortcuts(
        QList<QKeySequence>{keys(Qt::ControlModifier, Qt::Key_Minus), keys(keypad, Qt::Key_Minus)});
    action("ZoomFitWidth")->setCheckable(true);
    action("ZoomFitPage")->setCheckable(true);
    zoomMenu_->addSeparator();
    auto* levels = new QActionGroup(zoomMenu_);
    levels->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional); // none ticked when fitted
    for (int level : ZoomLevels) {
        QAction* a = zoomMenu_->addAction(QStringLiteral("%1%").arg(level));
        a->setObjectName(QStringLiteral("Zoom%1").arg(level));
        a->setCheckable(true);
        a->setActionGroup(levels);
        connect(a, &QAction::triggered, this, [this, level] { setZoom(level, ZoomFit::None); });
    }
    connect(action("ZoomIn"), &QAction::triggered, this, [this] { setZoom(zoomedIn(zoomPercent_), ZoomFit::None); });
    connect(action("ZoomOut"), &QAction::triggered, this,
            [this] { setZoom(zoomedOut(zoomPercent_), ZoomFit::None); });
    connect(action("ZoomActual"), &QAction::triggered, this, [this] { setZoom(100, ZoomFit::None); });
    connect(action("ZoomFitWidth"), &QAction::triggered, this,
            [this] { setZoom(fittedZoom(ZoomFit::Width), ZoomFit::Width); });
    connect(action("ZoomFitPage"), &QAction::triggered, this,
            [this] { setZoom(fittedZoom(ZoomFit::Page), ZoomFit::Page); });
}

// The menu shows the zoom in its title and ticks its level or fit.
void ScoreWindow::showZoomInMenu() {
    if (!zoomMenu_) return;
    zoomMenu_->setTitle(QStringLiteral("%1 (%2%)").arg(windowMenuTitle(WindowMenu::Zoom)).arg(zoomPercent_));
    action("ZoomFitWidth")->setChecked(zoomFit_ == ZoomFit::Width);
    action("ZoomFitPage")->setChecked(zoomFit_ == ZoomFit::Page);
    const QString level = QStringLiteral("Zoom%1").arg(zoomPercent_);
    for (QAction* a : zoomMenu_->actions())
        if (a->actionGroup()) a->setChecked(zoomFit_ == ZoomFit::None && a->objectName() == level);
}

int ScoreWindow::fittedZoom(ZoomFit fit) const {
    const QSize page = screenPage().size;
    QSize area = scroll_->maximumViewportSize();
    if (fit == ZoomFit::Width) {
        // A page taller than the window brings the vertical scroll bar, which takes
        // its width from the page's.
        const int at = fitZoom(fit, page, area);
        if (page.height() * at / 100 > area.height())
            area.rwidth() -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    }
    return fitZoom(fit, page, area);
}

void ScoreWindow::setZoom(int percent, ZoomFit fit, std::optional<QPointF> anchor) {
    percent = clampZoom(percent);
    zoomFit_ = fit;
    settings_.Zoomfit = static_cast<int>(fit);
    settings_.Zoom = percent;
    if (percent == zoomPercent_) return showZoomInMenu();
    // The page point under the anchor stays under it.
    QWidget* viewport = scroll_->viewport();
    const QPointF at = anchor.value_or(QPointF(view_->mapFrom(viewport, viewport->rect().center())));
    const QPoint onViewport = view_->mapTo(viewport, at.toPoint());
    const QPoint pagePoint = view_->toPage(at);
    const bool threeTimes = dc_.HighResMode;
    zoomPercent_ = percent;
    view_->setZoom(percent / 100.0);
    if (threeTimes != drawnThreeTimes(percent, devicePixelRatioF())) redrawSurface();
    const QPoint now = view_->toWidget(pagePoint);
    scroll_->horizontalScrollBar()->setValue(now.x() - onViewport.x());
    scroll_->verticalScrollBar()->setValue(now.y() - onViewport.y());
    showZoomInMenu();
}

void ScoreWindow::newSurface() {
    const ScreenPage page = screenPage();
    if (zoomFit_ != ZoomFit::None) zoomPercent_ = fittedZoom(zoomFit_);
    // Whenever the screen shows more than one device pixel per page unit the page is
    // drawn from the three-times glyphs, so that the music stays crisp.
    const bool threeTimes = drawnThreeTimes(zoomPercent_, devicePixelRatioF());
    dc_.HighResMode = dc_.ZoomedScreen = threeTimes;
    dc_.ScreenOrigin = page.origin;
    dc_.HiResOrigin = page.origin * 3;
    if (threeTimes) {
        dc_.MainImage = QImage();
        dc_.newPrintPage(page.size.width(), page.size.height());
    } else {
        dc_.Printimage = QImage();
        dc_.newScreenPage(page.size.width(), page.size.height());
    }
    view_->setZoom(zoomPercent_ / 100.0);
    view_->setPage(&dc_.surface(), page.origin, dc_.scale());
    showZoomInMenu();
}

void ScoreWindow::redrawSurface() {
    const XorMarks marks = takeOffXorMarks();
    newSurface();
    drawCurrentPage();
    putBackXorMarks(marks);
    if (currentShown_ && !objectDragged_) drawCurrentObject(false);
}

void ScoreWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!activated_ || zoomFit_ == ZoomFit::None) return;
    const int fitted = fittedZoom(zoomFit_);
    if (fitted != zoomPercent_) setZoom(fitted, zoomFit_);
}

} // namespace qv

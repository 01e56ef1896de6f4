#include "app/status/StatusWindow.h"

#include "app/panel/PanelPlacement.h"
#include "app/panel/SwayWindowPlacer.h"
#include "app/style/BatteryIconPainter.h"
#include "app/style/Palette.h"
#include "app/style/TitleFont.h"

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>

namespace corvelle {

StatusWindow::StatusWindow(std::shared_ptr<SwayWindowPlacer> swayPlacer)
    // Kept below the other windows: over them it would hide a maximized window's title bar and
    // the close button at its end.
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint | Qt::WindowDoesNotAcceptFocus),
      icon_(new QLabel(this)),
      title_(new QLabel(this)),
      swayPlacer_(std::move(swayPlacer)) {
    setWindowTitle(QStringLiteral("Corvelle status"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 10, 3);
    layout->setSpacing(4);
    layout->addWidget(icon_);
    layout->addWidget(title_);
    auto* opacity = new QGraphicsOpacityEffect(title_);
    opacity->setOpacity(1.0);
    title_->setGraphicsEffect(opacity);
    fade_ = new QPropertyAnimation(opacity, "opacity", this);
    fade_->setObjectName(QStringLiteral("batteryFade"));
    fade_->setDuration(300);
    fade_->setEasingCurve(QEasingCurve::InOutQuad);
    fade_->setStartValue(0.2);
    fade_->setEndValue(1.0);
}

int StatusWindow::imageHeight() const { return std::max(16, fontMetrics().height() + 2); }

void StatusWindow::setBatteryIcon(const BatteryIcon& icon) {
    const QImage image = BatteryIconPainter::render(icon, imageHeight(), Palette::isDark(), devicePixelRatioF());
    icon_->setPixmap(QPixmap::fromImage(image));
    icon_->setAccessibleName(QString::fromStdString(icon.accessibilityDescription));
    place();
}

void StatusWindow::setPlaceholderIcon(const QString& accessibleDescription) {
    icon_->setPixmap(QPixmap::fromImage(BatteryIconPainter::placeholder(imageHeight(), Palette::isDark(), devicePixelRatioF())));
    icon_->setAccessibleName(accessibleDescription);
    setAccessibleName(accessibleDescription);
    place();
}

void StatusWindow::setTitle(const MenuBarTitle& title) {
    title_->setFont(TitleFont::make(title.font));
    // As wide as the widest title of these parts: the window keeps its size as the figures change.
    title_->setMinimumWidth(title_->fontMetrics().horizontalAdvance(QString::fromStdString(title.guide)));
    title_->setText(QString::fromStdString(title.text));
    title_->setVisible(!title.text.empty());
    place();
}

QString StatusWindow::titleText() const { return title_->text(); }

void StatusWindow::fadeTitle() {
    fade_->stop();
    fade_->start();
}

void StatusWindow::showItem() {
    // Shown once back in the event loop, when the first title is in: at its size from the start.
    QTimer::singleShot(0, this, [this] {
        place();
        show();
        placeUnderSway();
    });
}

void StatusWindow::showMenu(QMenu* menu) {
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    const QRect frame = frameGeometry();
    menu->popup(QPoint(frame.right() - menu->sizeHint().width(), frame.bottom() + 1));
}

void StatusWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) return;
    if (event->button() == Qt::RightButton) {
        if (onRightClick) onRightClick();
    } else if (event->button() == Qt::LeftButton) {
        if (onLeftClick) onLeftClick();
    }
}

std::optional<QRect> StatusWindow::itemGeometry() const {
    // A Wayland client is not told where its window is: the corner it goes to stands in.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return frameGeometry();
    return QRect(PanelPlacement::corner(size(), screen->availableGeometry(), screen->geometry(), 0), size());
}

void StatusWindow::place() {
    const QSize wanted = sizeHint();
    // Through XWayland, GNOME's compositor holds back the content of a window it resizes until it
    // next redraws the screen for some other reason, which on a still desktop may take a minute: the
    // window stayed blank, yet took clicks. So a shown X11 window is not resized: it is hidden,
    // resized, placed and shown again.
    const bool remap = isVisible() && wanted != size() && QGuiApplication::platformName() == QLatin1String("xcb");
    if (remap) hide();
    setFixedSize(wanted);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!swayPlacer_ && screen) move(PanelPlacement::corner(size(), screen->availableGeometry(), screen->geometry(), 0));
    if (remap) show();
    placeUnderSway();
}

void StatusWindow::placeUnderSway() {
    if (!swayPlacer_ || !isVisible() || size() == placedSize_) return;
    placedSize_ = size();
    swayPlacer_->place(windowTitle(), std::nullopt, 0, true);
}

}  // namespace corvelle

#include "app/panel/Panel.h"

#include "app/components/HeaderIconButton.h"
#include "app/panel/StatusStrip.h"
#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"
#include "localization/LAccessibility.h"
#include "localization/LShell.h"
#include "localization/Language.h"
#include "monitor/SystemMonitor.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace corvelle {
namespace {

// The tag under which every tag without a tab shares one page.
constexpr int unknownTag = -1;

// A tab scrolls inside the panel, which never grows.
QScrollArea* scrolling(PanelTab* tab) {
    auto* area = new QScrollArea();
    area->setWidget(tab);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A thin bar without arrows, as in the rest of the panel's quiet look.
    area->verticalScrollBar()->setStyleSheet(
        "QScrollBar:vertical { width: 8px; background: transparent; margin: 2px 1px 2px 1px; }"
        "QScrollBar::handle:vertical { background: " + Palette::color(SystemColor::tertiary).name(QColor::HexArgb) +
        "; border-radius: 3px; min-height: 24px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
    area->viewport()->setAutoFillBackground(false);
    tab->setAutoFillBackground(false);
    return area;
}

}  // namespace

Panel::Panel(SystemMonitor& systemMonitor, AppSettings& appSettings, Options options, QWidget* parent)
    : QWidget(parent),
      systemMonitor_(systemMonitor),
      appSettings_(appSettings),
      options_(std::move(options)),
      selectedTab_(options_.selectedTab),
      editingSections_(options_.isEditingSections) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 10, 0, 0);
    column->setSpacing(6);
    buildHeader(column);
    strip_ = new StatusStrip(appSettings_, options_.pinnedWidgets, this);
    strip_->setEditing(editingSections_);
    strip_->setStats(systemMonitor_.stats().get());
    column->addWidget(strip_);
    buildTabSelector(column);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setStyleSheet("color: " + Palette::color(SystemColor::tertiary).name(QColor::HexArgb));
    column->addWidget(divider);
    stack_ = new QStackedWidget(this);
    column->addWidget(stack_, 1);
    retranslate();
    const auto refresh = [this](const auto&) { refreshVisible(); };
    subscriptions_.push_back(systemMonitor_.stats().subscribe(refresh));
    subscriptions_.push_back(systemMonitor_.habitScore().subscribe(refresh));
    subscriptions_.push_back(systemMonitor_.usageProfile().subscribe(refresh));
    subscriptions_.push_back(systemMonitor_.healthPrediction().subscribe(refresh));
    subscriptions_.push_back(appSettings_.changed.subscribe([this] { retranslate(); }));
}

Panel::~Panel() = default;

void Panel::buildHeader(QVBoxLayout* column) {
    const bool detail = options_.isDetailWindow;
    auto* row = new QHBoxLayout();
    row->setContentsMargins(detail ? 20 : 16, 0, detail ? 20 : 16, 0);
    row->setSpacing(6);
    auto* symbol = new QLabel(this);
    const int side = detail ? 22 : 18;
    symbol->setPixmap(SymbolIcon::pixmap("gauge.medium", side, Palette::color(SystemColor::secondary), devicePixelRatioF()));
    row->addWidget(symbol);
    auto* title = new QLabel(QStringLiteral("Corvelle"), this);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * (detail ? 1.35 : 1.15));
    title->setFont(font);
    row->addWidget(title);
    row->addStretch(1);

    reorderButton_ = new HeaderIconButton("arrow.up.arrow.down", L::reorderSections,
                                          [this] { setEditingSections(!editingSections_); }, this);
    headerButtons_.push_back(reorderButton_);
    if (options_.onOpenFeedback) {
        headerButtons_.push_back(new HeaderIconButton("bubble.left", L::sendFeedback, options_.onOpenFeedback, this));
    }
    if (options_.onOpenSettings) {
        headerButtons_.push_back(new HeaderIconButton("gearshape", L::settings, options_.onOpenSettings, this));
    }
    if (!detail && options_.onOpenDetail) {
        headerButtons_.push_back(new HeaderIconButton("arrow.up.left.and.arrow.down.right", L::openLargerWindow,
                                                      options_.onOpenDetail, this));
    }
    for (auto* button : headerButtons_) row->addWidget(button);
    column->addLayout(row);
    setEditingSections(editingSections_);
}

void Panel::buildTabSelector(QVBoxLayout* column) {
    auto* frame = new QFrame(this);
    QColor tint = Palette::color(SystemColor::primary);
    tint.setAlphaF(0.06);
    frame->setStyleSheet(".QFrame { background: " + tint.name(QColor::HexArgb) + "; border-radius: 7px; }");
    auto* segments = new QHBoxLayout(frame);
    segments->setContentsMargins(2, 2, 2, 2);
    segments->setSpacing(2);
    for (int tag = 0; tag < tabCount; ++tag) {
        const auto& tab = PanelTabs::tabs[static_cast<std::size_t>(tag)];
        auto* button = new HeaderIconButton(tab.symbol, tab.tooltip, [this, tag] { setSelectedTab(tag); }, frame);
        button->setFixedSize(QSize(72, 26));
        segments->addWidget(button);
        tabButtons_.push_back(button);
    }
    auto* row = new QHBoxLayout();
    row->setContentsMargins(16, 0, 16, 0);
    row->addWidget(frame);
    column->addLayout(row);
}

void Panel::setSelectedTab(int tag) {
    const bool changed = tag != selectedTab_;
    selectedTab_ = tag;
    if (changed) setEditingSections(false);
    showTab();
}

void Panel::setEditingSections(bool editing) {
    editingSections_ = editing;
    reorderButton_->setSymbol(editing ? "checkmark.circle.fill" : "arrow.up.arrow.down");
    reorderButton_->setActive(editing);
    if (strip_) strip_->setEditing(editing);
    for (const auto& [tag, page] : pages_) static_cast<PanelTab*>(page->widget())->setEditing(editing);
}

void Panel::showTab() {
    for (int tag = 0; tag < tabCount; ++tag) tabButtons_[tag]->setActive(tag == selectedTab_);
    const int tag = PanelTabs::hasTab(selectedTab_) ? selectedTab_ : unknownTag;
    QScrollArea*& page = pages_[tag];
    if (!page) {
        page = scrolling(PanelTabs::make(tag, {systemMonitor_, appSettings_, options_.isDetailWindow, editingSections_,
                                               options_.batteryCare, options_.powerProfiles}));
        stack_->addWidget(page);
    }
    content_ = static_cast<PanelTab*>(page->widget());
    stack_->setCurrentWidget(page);
    refreshVisible();
}

void Panel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshVisible();
}

void Panel::refreshVisible() {
    if (!isVisible() || !content_) return;
    strip_->setStats(systemMonitor_.stats().get());
    content_->refresh();
}

void Panel::retranslate() {
    const int language = static_cast<int>(currentLanguage());
    if (language == language_) return;
    language_ = language;
    for (auto* button : headerButtons_) button->retranslate();
    for (auto* button : tabButtons_) button->retranslate();
    tabButtons_.front()->parentWidget()->setAccessibleName(QString::fromStdString(L::tabSelector()));
    strip_->setAccessibleName(QString::fromStdString(L::pinnedWidgets()));
    for (const auto& [tag, page] : pages_) static_cast<PanelTab*>(page->widget())->retranslate();
    if (!content_) return showTab();
    refreshVisible();
}

}  // namespace corvelle

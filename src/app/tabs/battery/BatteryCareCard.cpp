#include "app/tabs/battery/BatteryCareCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "app/tabs/battery/ChoiceRow.h"
#include "care/ChargeLimitChoice.h"
#include "localization/LBatteryCare.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace corvelle {
namespace {

QWidget* box(QWidget* parent, QVBoxLayout*& column) {
    auto* widget = new QWidget(parent);
    column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    return widget;
}

void setText(QLabel* label, const std::string& text) {
    label->setText(QString::fromStdString(text));
    label->setVisible(!text.empty());
}

}  // namespace

BatteryCareCard::BatteryCareCard(BatteryCare* batteryCare, PowerProfiles* powerProfiles, QWidget* parent)
    : CardFrame(parent), batteryCare_(batteryCare), powerProfiles_(powerProfiles) {
    header_ = new SectionHeader("leaf.fill", SystemColor::green, this);
    unsupported_ = new QLabel(this);
    unsupported_->setWordWrap(true);
    LabelStyle::apply(unsupported_, LabelStyle::Role::caption);
    column()->addWidget(header_);
    column()->addWidget(unsupported_);
    column()->addWidget(buildChargeLimit());
    column()->addWidget(buildPowerMode());
    if (powerProfiles_) profilesChanged_ = powerProfiles_->onChange([this] { render(); });
    retranslate();
}

QWidget* BatteryCareCard::buildChargeLimit() {
    QVBoxLayout* column = nullptr;
    chargeLimitBox_ = box(this, column);
    chargeLimitTitle_ = new QLabel(chargeLimitBox_);
    LabelStyle::apply(chargeLimitTitle_, LabelStyle::Role::figure);
    presets_ = new ChoiceRow([this](const std::string& end) { chooseLimit(std::stoi(end)); }, chargeLimitBox_);
    custom_ = new QPushButton(chargeLimitBox_);
    custom_->setCheckable(true);
    custom_->setCursor(Qt::PointingHandCursor);
    custom_->setStyleSheet(ChoiceRow::buttonStyle());
    customValue_ = new QSpinBox(chargeLimitBox_);
    customValue_->setRange(1, 100);
    customValue_->setSuffix(QStringLiteral("%"));
    // The custom value applies from its button or the Enter key, not when the focus merely leaves.
    connect(custom_, &QPushButton::clicked, this, [this] {
        custom_->setChecked(content_.chargeLimit && content_.chargeLimit->customChecked);
        chooseLimit(customValue_->value());
    });
    connect(customValue_, &QSpinBox::editingFinished, this, [this] {
        if (customValue_->hasFocus()) chooseLimit(customValue_->value());
    });
    auto* customRow = new QHBoxLayout();
    customRow->setSpacing(6);
    customRow->addWidget(custom_);
    customRow->addWidget(customValue_);
    customRow->addStretch(1);
    state_ = new QLabel(chargeLimitBox_);
    message_ = new QLabel(chargeLimitBox_);
    state_->setWordWrap(true);
    message_->setWordWrap(true);
    LabelStyle::apply(state_, LabelStyle::Role::body);
    column->addWidget(chargeLimitTitle_);
    column->addWidget(presets_);
    column->addLayout(customRow);
    column->addWidget(state_);
    column->addWidget(message_);
    return chargeLimitBox_;
}

QWidget* BatteryCareCard::buildPowerMode() {
    QVBoxLayout* column = nullptr;
    powerModeBox_ = box(this, column);
    powerModeTitle_ = new QLabel(powerModeBox_);
    LabelStyle::apply(powerModeTitle_, LabelStyle::Role::figure);
    powerModes_ = new ChoiceRow([this](const std::string& profile) { chooseProfile(profile); }, powerModeBox_);
    column->addWidget(powerModeTitle_);
    column->addWidget(powerModes_);
    return powerModeBox_;
}

void BatteryCareCard::retranslate() {
    header_->setTitle(L::batteryCareTitle());
    chargeLimitTitle_->setText(QString::fromStdString(L::chargeLimit()));
    powerModeTitle_->setText(QString::fromStdString(L::powerMode()));
    presets_->setAccessibleName(chargeLimitTitle_->text());
    powerModes_->setAccessibleName(powerModeTitle_->text());
    const QString custom = QString::fromStdString(L::chargeLimitCustom());
    custom_->setText(custom);
    custom_->setAccessibleName(custom);
    customValue_->setAccessibleName(custom);
    customValue_->setAccessibleDescription(chargeLimitTitle_->text());
    render();
}

void BatteryCareCard::showEvent(QShowEvent* event) {
    CardFrame::showEvent(event);
    readThresholds();
    render();
}

void BatteryCareCard::changeEvent(QEvent* event) {
    CardFrame::changeEvent(event);
    if (event->type() != QEvent::PaletteChange || !custom_) return;
    custom_->setStyleSheet(ChoiceRow::buttonStyle());
    for (ChoiceRow* row : {presets_, powerModes_}) {
        for (QPushButton* button : row->buttons()) button->setStyleSheet(ChoiceRow::buttonStyle());
    }
}

void BatteryCareCard::readThresholds() {
    // A request under way is answered by a read of its own once it is done.
    if (batteryCare_ && !applying_) thresholds_ = batteryCare_->thresholds();
}

void BatteryCareCard::chooseLimit(int end) {
    if (!batteryCare_ || !thresholds_ || applying_) return;
    // The limit already set needs no password prompt.
    if (thresholds_->end == end) return render();
    applying_ = true;
    lastResult_.reset();
    render();
    QPointer<BatteryCareCard> self(this);
    batteryCare_->setChargeLimit(ChargeLimitChoice::limitFor(end, *thresholds_), [self](ChargeLimitResult result) {
        if (self) self->limitDone(std::move(result));
    });
}

void BatteryCareCard::limitDone(ChargeLimitResult result) {
    applying_ = false;
    lastResult_ = std::move(result);
    readThresholds();
    render();
}

void BatteryCareCard::chooseProfile(const std::string& profile) {
    // The daemon's change, when it makes it, comes back through onChange.
    if (powerProfiles_ && profile != powerProfiles_->activeProfile()) powerProfiles_->setActiveProfile(profile);
}

void BatteryCareCard::render() {
    BatteryCareContent::Input input{thresholds_, {}, {}, applying_, lastResult_};
    if (powerProfiles_) {
        input.profiles = powerProfiles_->profiles();
        input.activeProfile = powerProfiles_->activeProfile();
    }
    auto content = BatteryCareContent::content(input);
    if (rendered_ && content == content_) return;
    rendered_ = true;
    content_ = std::move(content);
    setText(unsupported_, content_.unsupported);
    chargeLimitBox_->setVisible(content_.chargeLimit.has_value());
    if (content_.chargeLimit) showChargeLimit(*content_.chargeLimit);
    powerModeBox_->setVisible(!content_.powerModes.empty());
    powerModes_->setChoices(content_.powerModes);
}

void BatteryCareCard::showChargeLimit(const BatteryCareContent::ChargeLimitPart& part) {
    presets_->setChoices(part.presets);
    presets_->setEnabled(part.enabled);
    custom_->setChecked(part.customChecked);
    custom_->setEnabled(part.enabled);
    customValue_->setEnabled(part.enabled);
    customValue_->setMinimum(part.customMinimum);
    // Keep what the person is typing; show the battery's value otherwise.
    if (!customValue_->hasFocus()) customValue_->setValue(part.customValue);
    setText(state_, part.state);
    setText(message_, part.message);
    LabelStyle::apply(message_, LabelStyle::Role::caption, part.messageColor);
}

}  // namespace corvelle

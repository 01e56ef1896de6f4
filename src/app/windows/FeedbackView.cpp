#include "app/windows/FeedbackView.h"

#include "app/components/Caption.h"
#include "app/components/ProminentButton.h"
#include "app/components/SegmentedPicker.h"
#include "app/components/ToggleSwitch.h"
#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"
#include "localization/LWindows.h"
#include "settings/AppSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QVBoxLayout>

namespace corvelle {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QString cssColor(SystemColor color) { return "color: " + Palette::color(color).name(QColor::HexArgb); }

// A bold section title, a plain label or a small caption.
QLabel* styledLabel(QWidget* parent, FeedbackView::TextStyle style) {
    if (style == FeedbackView::TextStyle::caption) return makeCaption(parent);
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(style == FeedbackView::TextStyle::title);
    label->setFont(font);
    return label;
}

}  // namespace

FeedbackView::FeedbackView(SystemStats systemStats, AppSettings& appSettings, FeedbackService::Route route,
                           QString& draft, QWidget* parent)
    : QWidget(parent),
      systemStats_(std::move(systemStats)),
      appSettings_(appSettings),
      route_(std::move(route)),
      draft_(draft) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 16, 20, 16);
    column->setSpacing(6);
    buildCategory(column);
    buildMessage(column);
    buildSystemInfo(column);
    buildFooter(column);
    editor_->setPlainText(draft_);
    refresh();
    settingsSubscription_ = appSettings_.changed.subscribe([this] { refresh(); });
}

FeedbackView::~FeedbackView() = default;

QLabel* FeedbackView::addText(std::string (*text)(), TextStyle style) {
    QLabel* label = styledLabel(this, style);
    texts_.add([label, text] { label->setText(q(text())); });
    return label;
}

void FeedbackView::buildCategory(QVBoxLayout* column) {
    column->addWidget(addText(L::sectionCategory));
    categories_ = new SegmentedPicker([this](int i) { category_ = FeedbackService::allCases.at(static_cast<size_t>(i)); },
                                      this);
    categories_->setSelected(0);
    texts_.add([this] {
        categories_->setLabels({L::categoryBug(), L::categoryFeature(), L::categoryGeneral()});
        categories_->setAccessibleName(q(L::sectionCategory()));
    });
    column->addWidget(categories_);
    column->addSpacing(8);
}

void FeedbackView::buildMessage(QVBoxLayout* column) {
    column->addWidget(addText(L::sectionMessage));
    editor_ = new QPlainTextEdit(this);
    editor_->setTabChangesFocus(true);
    texts_.add([this] {
        editor_->setPlaceholderText(q(L::messagePlaceholder()));
        editor_->setAccessibleName(q(L::sectionMessage()));
    });
    QObject::connect(editor_, &QPlainTextEdit::textChanged, this, [this] { messageChanged(); });
    column->addWidget(editor_, 1);
    counter_ = styledLabel(this, TextStyle::caption);
    counter_->setObjectName(QStringLiteral("counter"));
    counter_->setAlignment(Qt::AlignRight);
    column->addWidget(counter_);
}

void FeedbackView::buildSystemInfo(QVBoxLayout* column) {
    auto* row = new QHBoxLayout();
    auto* lines = new QVBoxLayout();
    lines->setSpacing(2);
    lines->addWidget(addText(L::includeSystemInfo, TextStyle::body));
    lines->addWidget(addText(L::includeSystemInfoCaption, TextStyle::caption));
    row->addLayout(lines, 1);
    systemInfo_ = new ToggleSwitch(this);
    systemInfo_->setChecked(true);
    texts_.add([this] { systemInfo_->setAccessibleName(q(L::includeSystemInfo())); });
    row->addWidget(systemInfo_);
    column->addLayout(row);
}

void FeedbackView::buildFooter(QVBoxLayout* column) {
    status_ = new QWidget(this);
    auto* line = new QHBoxLayout(status_);
    line->setContentsMargins(0, 4, 0, 0);
    line->setSpacing(6);
    statusIcon_ = new QLabel(status_);
    statusText_ = new QLabel(status_);
    statusText_->setObjectName(QStringLiteral("statusLine"));
    line->addWidget(statusIcon_);
    line->addWidget(statusText_, 1);
    column->addWidget(status_);
    send_ = new ProminentButton(this);
    QObject::connect(send_, &ProminentButton::clicked, this, [this] { submit(); });
    column->addSpacing(4);
    column->addWidget(send_);
}

QString FeedbackView::message() const { return editor_->toPlainText(); }

bool FeedbackView::includeSystemInfo() const { return systemInfo_->isChecked(); }

bool FeedbackView::canSubmit() const { return feedbackCanSubmit(message(), state_); }

// A message past the limit keeps its first 1000 characters; the cut leaves the undo history.
void FeedbackView::messageChanged() {
    const QString text = message();
    const QString limited = feedbackLimited(text);
    if (limited.size() < text.size()) {
        QTextCursor tail(editor_->document());
        tail.setPosition(static_cast<int>(limited.size()));
        tail.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        tail.removeSelectedText();
        return;  // the cut changes the text again
    }
    draft_ = text;
    refresh();
}

void FeedbackView::submit() {
    if (!canSubmit()) return;
    state_ = FeedbackState::sending;
    refresh();
    std::optional<FeedbackService::SystemInfo> info;
    if (includeSystemInfo()) info = FeedbackService::collectSystemInfo(systemStats_, route_.machine);
    QPointer<FeedbackView> self(this);
    FeedbackService::send(route_, category_, message().trimmed().toStdString(), info, [self](bool ok) {
        if (self) self->finish(ok);
    });
}

// Success clears the message and closes this window shortly after; failure keeps the message.
void FeedbackView::finish(bool ok) {
    state_ = ok ? FeedbackState::success : FeedbackState::error;
    if (ok) {
        editor_->clear();
        QPointer<FeedbackView> self(this);
        route_.loop.startSingleShot(closeDelaySeconds, [self] {
            if (self) self->window()->close();
        });
    }
    refresh();
}

void FeedbackView::refresh() {
    texts_.update();
    auto content = feedbackFormContent(message(), state_);
    if (content == shown_) return;
    shown_ = content;
    counter_->setText(q(content.counter));
    status_->setVisible(content.status.has_value());
    if (content.status) {
        const QColor color = Palette::color(content.status->color);
        statusIcon_->setPixmap(SymbolIcon::pixmap(content.status->symbol, 14, color, devicePixelRatioF()));
        statusText_->setText(q(content.status->text));
        statusText_->setStyleSheet(cssColor(content.status->color));
    }
    send_->setText(q(content.buttonText));
    send_->setAccessibleName(send_->text());
    send_->setLook(content.buttonSymbol, content.busy);
    send_->setEnabled(content.canSubmit);
}

}  // namespace corvelle

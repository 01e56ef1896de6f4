#pragma once

#include "app/windows/FeedbackMessage.h"
#include "model/SystemStats.h"
#include "outbound/FeedbackService.h"
#include "present/LocalizedTexts.h"
#include "util/Signal.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPlainTextEdit;
class QVBoxLayout;

namespace corvelle {

class AppSettings;
class ProminentButton;
class SegmentedPicker;
class ToggleSwitch;

// The feedback window's content: category, message (at most 1000 characters), whether to
// attach the anonymous description of the machine, the outcome of the last send and the send
// button. It keeps the snapshot taken when the window opened. A successful send clears the
// message and closes the window 1.5 s later; a failed one keeps the message for another try.
// The message is kept in `draft`, which outlives the window: closed unsent, it comes back in
// the next feedback window.
class FeedbackView : public QWidget {
public:
    static constexpr double closeDelaySeconds = 1.5;
    enum class TextStyle { title, body, caption };

    // `route` is where messages go; its client, loop and machine outlive the view. The
    // settings are watched for a change of language.
    FeedbackView(SystemStats systemStats, AppSettings& appSettings, FeedbackService::Route route, QString& draft,
                 QWidget* parent = nullptr);
    ~FeedbackView() override;

    const SystemStats& systemStats() const { return systemStats_; }
    FeedbackService::Category category() const { return category_; }
    QString message() const;
    bool includeSystemInfo() const;
    FeedbackState state() const { return state_; }
    bool canSubmit() const;
    // Sends the trimmed message unless it cannot be sent; the answer arrives on the main loop.
    void submit();

private:
    void buildCategory(QVBoxLayout* column);
    void buildMessage(QVBoxLayout* column);
    void buildSystemInfo(QVBoxLayout* column);
    void buildFooter(QVBoxLayout* column);
    // A label whose text follows the language.
    QLabel* addText(std::string (*text)(), TextStyle style = TextStyle::title);
    void messageChanged();
    void finish(bool ok);
    // Shows the form's content; texts follow the language setting.
    void refresh();

    SystemStats systemStats_;
    AppSettings& appSettings_;
    FeedbackService::Route route_;
    QString& draft_;
    FeedbackService::Category category_ = FeedbackService::Category::bug;
    FeedbackState state_ = FeedbackState::idle;
    LocalizedTexts texts_;
    std::optional<FeedbackFormContent> shown_;
    SegmentedPicker* categories_ = nullptr;
    QPlainTextEdit* editor_ = nullptr;
    QLabel* counter_ = nullptr;
    ToggleSwitch* systemInfo_ = nullptr;
    QWidget* status_ = nullptr;
    QLabel* statusIcon_ = nullptr;
    QLabel* statusText_ = nullptr;
    ProminentButton* send_ = nullptr;
    Subscription settingsSubscription_;
};

}  // namespace corvelle

#pragma once

#include <QAbstractButton>
#include <QBasicTimer>

#include <string>

namespace corvelle {

// The form's main action: white text on the accent colour, with a symbol before the text or,
// while busy, a turning progress indicator. Faded while disabled.
class ProminentButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit ProminentButton(QWidget* parent = nullptr);

    // The symbol before the text; busy shows the progress indicator in its place.
    void setLook(std::string symbol, bool busy);
    bool isBusy() const { return busy_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    std::string symbol_;
    bool busy_ = false;
    int angle_ = 0;
    QBasicTimer spin_;
};

}  // namespace corvelle

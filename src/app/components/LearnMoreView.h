#pragma once

#include "model/Explainer.h"

#include <QWidget>

class QLabel;

namespace corvelle {

class DisclosureRow;

// A term's explanation behind a row: closed, the row reads "What is this?" beside a metric or
// names the term in a glossary; open, the row shows the term's one-line explanation and
// reveals the term's symbol beside the longer one.
class LearnMoreView : public QWidget {
public:
    enum class Closed { prompt, term };
    explicit LearnMoreView(Explainer explainer, QWidget* parent = nullptr, Closed closed = Closed::prompt);

    Explainer explainer() const { return explainer_; }
    bool isExpanded() const { return expanded_; }
    void setExpanded(bool expanded);
    // Shows the texts in the current language.
    void retranslate();
    DisclosureRow* row() const { return row_; }

private:
    Explainer explainer_;
    Closed closed_;
    bool expanded_ = false;
    DisclosureRow* row_;
    QWidget* details_;
    QLabel* detailed_;
};

}  // namespace corvelle

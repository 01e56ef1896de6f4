#include "app/components/LearnMoreView.h"

#include "app/components/DisclosureRow.h"
#include "app/style/LabelStyle.h"
#include "localization/LExplainers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

LearnMoreView::LearnMoreView(Explainer explainer, QWidget* parent, Closed closed)
    : QWidget(parent), explainer_(explainer), closed_(closed), row_(new DisclosureRow(this)), details_(new QWidget(this)),
      detailed_(new QLabel(details_)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(row_);
    column->addWidget(details_);
    auto* reveal = new QHBoxLayout(details_);
    reveal->setContentsMargins(4, 0, 4, 4);
    reveal->setSpacing(8);
    auto* symbol = new QLabel(details_);
    LabelStyle::showSymbol(symbol, icon(explainer), 20, SystemColor::blue);
    reveal->addWidget(symbol, 0, Qt::AlignTop);
    detailed_->setWordWrap(true);
    LabelStyle::apply(detailed_, LabelStyle::Role::caption);
    reveal->addWidget(detailed_, 1);
    row_->setLeading("info.circle", SystemColor::blue);
    QObject::connect(row_, &QAbstractButton::clicked, this, [this] { setExpanded(!expanded_); });
    setExpanded(false);
}

void LearnMoreView::setExpanded(bool expanded) {
    expanded_ = expanded;
    row_->setOpen(expanded);
    details_->setVisible(expanded);
    retranslate();
}

void LearnMoreView::retranslate() {
    if (expanded_) {
        row_->setLabel(L::explainerSimple(explainer_));
    } else {
        row_->setLabel(closed_ == Closed::term ? L::explainerTerm(explainer_) : L::explainerPrompt());
    }
    detailed_->setText(QString::fromStdString(L::explainerDetailed(explainer_)));
}

}  // namespace corvelle

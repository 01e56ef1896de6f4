#include "app/tabs/PlaceholderTab.h"

#include "app/style/LabelStyle.h"

#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

PlaceholderTab::PlaceholderTab(Text text, QWidget* parent) : PanelTab(parent), text_(text), label_(new QLabel(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    label_->setAlignment(Qt::AlignCenter);
    LabelStyle::apply(label_, LabelStyle::Role::body, SystemColor::secondary);
    column->addWidget(label_);
    retranslate();
}

void PlaceholderTab::retranslate() { label_->setText(QString::fromStdString(text_())); }

QString PlaceholderTab::text() const { return label_->text(); }

}  // namespace corvelle

#pragma once

#include "app/components/ReorderableForEach.h"
#include "app/tabs/PanelTab.h"
#include "settings/AppSettings.h"
#include "util/RawValue.h"

#include <QVBoxLayout>

#include <string>
#include <utility>

namespace corvelle {

// A tab whose cards are sections the user drags into a new order while editing: the order is
// loaded from and saved at once to a settings key. A tab adds what goes above the sections to
// column(), then calls addSections(), which builds each card with makeCard in the saved order.
template <typename Section>
class ReorderableTab : public PanelTab {
public:
    void setEditing(bool editing) override { sections_->setEditing(editing); }

    ReorderableForEach& sections() const { return *sections_; }
    // The card of a section.
    QWidget* card(Section section) const { return sections_->view(std::string(toRaw(section))); }

protected:
    ReorderableTab(const TabContext& context, std::string orderKey, QWidget* parent)
        : PanelTab(parent), settings_(context.appSettings), orderKey_(std::move(orderKey)),
          isEditing_(context.isEditing) {}

    // The card of one section; a new section needs one more case there.
    virtual QWidget* makeCard(Section section) = 0;

    // Made when first asked for: by addSections when nothing goes above the sections. Sections made
    // in a tab that already had its layout kept their first height after the refresh hid cards,
    // which spread the cards apart.
    QVBoxLayout* column() {
        if (!column_) {
            column_ = new QVBoxLayout(this);
            // The sections keep a few pixels of their own around them for the editing outlines.
            column_->setContentsMargins(12, 12, 12, 12);
        }
        return column_;
    }
    // Builds the sections (call once, from the tab's constructor, once makeCard can run).
    void addSections() {
        const auto order = settings_.loadOrder<Section>(orderKey_);
        sections_ = new ReorderableForEach(
            ReorderableForEach::items<Section>(order, [this](Section section) { return makeCard(section); }),
            ReorderableForEach::savingTo<Section>(settings_, orderKey_), this);
        column()->addWidget(sections_);
        column_->addStretch(1);
        setEditing(isEditing_);
    }
    // The editing outlines' texts in the new language.
    void retranslateSections() { sections_->setEditing(sections_->isEditing()); }

private:
    AppSettings& settings_;
    std::string orderKey_;
    bool isEditing_;
    QVBoxLayout* column_ = nullptr;
    ReorderableForEach* sections_ = nullptr;
};

}  // namespace corvelle

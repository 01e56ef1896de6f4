#pragma once

#include "platform/SortKeys.h"

namespace corvelle {

// Sort keys from Qt's Unicode tables: the name decomposed, without its combining marks and
// case-folded, then, to order names that differ only in accents, the whole name case-folded.
class QtSortKeys : public SortKeys {
public:
    std::string sortKey(std::string_view name) const override;
};

}  // namespace corvelle

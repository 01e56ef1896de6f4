#pragma once

#include <string>
#include <string_view>

namespace corvelle {

// How names are put in alphabetical order: a key per name whose byte order is that order,
// regardless of case and accents ("Émile" next to "emile", before "Zoe"). The app's keys come
// from Qt's Unicode tables; core has none of its own.
class SortKeys {
public:
    virtual ~SortKeys() = default;
    // The name case-folded and without its accents, as UTF-8.
    virtual std::string sortKey(std::string_view name) const = 0;
};

}  // namespace corvelle

#pragma once

#include <functional>
#include <iterator>
#include <type_traits>
#include <vector>

namespace corvelle::test {

// What `get` gives for each element of `list`, in order: the ids of tips, the dates of records.
template <typename List, typename Get>
auto each(const List& list, Get get) {
    std::vector<std::decay_t<std::invoke_result_t<Get, decltype(*std::begin(list))>>> values;
    for (const auto& element : list) values.push_back(std::invoke(get, element));
    return values;
}

}  // namespace corvelle::test

#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstddef>

// The figures of a stored day record or health reading. Each is a count, a sum, a mean or a
// peak of readings that are never negative, over one day; so one that is not finite, is
// negative or lies beyond anything a day can reach is damage (a hand-edited file, a fault of an
// earlier build). It would spoil every later mean of the day, or stop the record from being
// saved, so it reads as no reading instead: the value an empty record holds there.
namespace corvelle::StoredFigures {

// Far above any day's figure (a day of 20 samples a second on hundreds of cores sums to under
// 1e12), and low enough that a mean times its count cannot overflow and a count can go on.
inline constexpr double ceiling = 1e15;

// Replaces each such figure of `record` (a JSON record, nested records, lists and maps
// included) by the figure at the same place in `empty`; one that `empty` lacks (an entry of a
// map) is removed. Returns how many were replaced.
std::size_t repair(nlohmann::json& record, const nlohmann::json& empty);

}  // namespace corvelle::StoredFigures

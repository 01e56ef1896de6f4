#pragma once

#include "util/RawValue.h"

#include <array>
#include <string_view>

namespace corvelle {

// The mini-widgets that can be pinned to the status strip; raw value = case name.
enum class PinnedWidget { battery, cpu, temperature, power, memory };

inline constexpr std::array<PinnedWidget, 5> allPinnedWidgets{PinnedWidget::battery, PinnedWidget::cpu,
                                                              PinnedWidget::temperature, PinnedWidget::power,
                                                              PinnedWidget::memory};

std::string_view toRaw(PinnedWidget widget);
template <>
std::optional<PinnedWidget> fromRaw<PinnedWidget>(std::string_view raw);

}  // namespace corvelle

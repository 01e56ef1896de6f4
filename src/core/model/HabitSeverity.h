#pragma once

namespace corvelle {

// How much a habit warning matters.
enum class HabitSeverity { info, warning, critical };

}  // namespace corvelle

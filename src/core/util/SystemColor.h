#pragma once

namespace corvelle {

// The named system colours the views and the status icon use; the app maps them to
// concrete colours for light and dark themes.
enum class SystemColor { green, blue, orange, red, yellow, purple, primary, secondary, tertiary };

}  // namespace corvelle

// ISO-8601 dates, day keys and UTF-8 text, as they come from files and process names.
#include "FuzzCheck.h"
#include "history/LocalCalendar.h"
#include "util/Iso8601.h"
#include "util/Utf8.h"

#include <cmath>

using namespace corvelle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::text(data, size);
    if (const auto moment = Iso8601::parse(input)) {
        fuzz::require(std::isfinite(*moment), "a parsed date is finite");
        fuzz::require(Iso8601::parse(Iso8601::format(*moment)) == moment, "a date reads back from its text");
    }
    if (const auto day = LocalCalendar::dayNumber(input)) fuzz::require(input.size() == 10, "a day key is ten characters");
    const auto repaired = Utf8::repaired(input);
    fuzz::require(Utf8::repaired(repaired) == repaired, "repaired text is valid UTF-8");
    return 0;
}

#pragma once

#include "model/SystemStats.h"

#include <nlohmann/json.hpp>

// A snapshot as JSON for scripts: one key per SystemStats field (an object's keys come out
// sorted), lists of records with one key per record field, and null for every figure the
// machine did not give. Absent means:
// - CPU figures: no CPU reading yet (no per-core usages); an average of a kind of core the
//   machine does not have;
// - memory figures: no memory reading (total 0);
// - temperatures: 0 °C or below, the "no sensor" value;
// - power figures: 0 W or below, what an energy counter the machine lacks (or has not yet
//   measured over a period) reads;
// - battery figures: all of them without a battery; with one, a percentage it does not report
//   (batteryChargeLevel, the kernel's word, stands for it then), a cycle count, capacity or
//   adapter wattage that is not reported (0 or below), a health without a design capacity, and
//   a time remaining not estimated yet;
// - systemBaselineWatts: no battery draw learnt yet;
// - a GPU's figures: it sleeps (then its power is 0 when it is discrete), or it does not give them;
//   a client's use until it was read twice, or when its driver does not count it.
// Disk and network rates are always numbers: every Linux system has their counters, and 0 is
// a real rate. A figure that is not a finite number is absent too. The thermal level, a GPU's kind
// and state are case names.
namespace corvelle::StatsJson {

nlohmann::json encode(const SystemStats& stats);

}  // namespace corvelle::StatsJson

#pragma once

#include "model/SystemStats.h"
#include "util/SystemColor.h"

#include <string>
#include <vector>

// What the overview's graphics card shows: every GPU with its state, its figures while awake, and
// the programs that use it, so that a discrete GPU kept awake shows who keeps it so.
namespace corvelle::GraphicsContent {

struct Row {
    std::string name;
    std::string kind;   // integrated or discrete
    std::string state;  // awake, asleep or always on
    SystemColor stateColor = SystemColor::secondary;
    std::string symbol;
    // "Load 34%  ·  6.2 W  ·  58°C  ·  1.2 GB of 4.0 GB", or what a sleeping GPU costs; empty
    // while an awake GPU has given no figure yet.
    std::string figures;
    std::string programs;  // who uses it; empty while it sleeps
    bool operator==(const Row&) const = default;
};

struct Card {
    std::vector<Row> rows;
    std::string note;  // on a machine without a GPU to show
    bool operator==(const Card&) const = default;
};

Card card(const SystemStats& stats);

}  // namespace corvelle::GraphicsContent

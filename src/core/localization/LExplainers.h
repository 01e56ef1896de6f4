#pragma once

#include "model/Explainer.h"

#include <string>

// The text catalogue, glossary of technical terms.
namespace corvelle::L {

// One line: what the term is.
std::string explainerSimple(Explainer explainer);
// A few sentences with an everyday comparison.
std::string explainerDetailed(Explainer explainer);
// The term itself: "Watts", "Cycle count".
std::string explainerTerm(Explainer explainer);
// Label of a collapsed explainer row beside a metric.
std::string explainerPrompt();

}  // namespace corvelle::L

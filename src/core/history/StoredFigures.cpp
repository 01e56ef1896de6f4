#include "history/StoredFigures.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace corvelle::StoredFigures {
namespace {

bool holdable(const nlohmann::json& figure) {
    const double value = figure.get<double>();
    return std::isfinite(value) && value >= 0 && value <= ceiling;
}

const nlohmann::json& none() {
    static const nlohmann::json value;
    return value;
}

}  // namespace

std::size_t repair(nlohmann::json& record, const nlohmann::json& empty) {
    std::size_t repaired = 0;
    if (record.is_array()) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            repaired += repair(record[i], empty.is_array() && i < empty.size() ? empty[i] : none());
        }
        return repaired;
    }
    if (!record.is_object()) return 0;
    for (auto it = record.begin(); it != record.end();) {
        const auto& model = empty.is_object() && empty.contains(it.key()) ? empty.at(it.key()) : none();
        if (it->is_number() && !holdable(*it)) {
            ++repaired;
            if (!model.is_number()) {
                it = record.erase(it);
                continue;
            }
            *it = model;
        } else {
            repaired += repair(*it, model);
        }
        ++it;
    }
    return repaired;
}

}  // namespace corvelle::StoredFigures

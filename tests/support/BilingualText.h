#pragma once

#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace corvelle::test {

// A text produced by make, expected in English and in Spanish.
struct BilingualText {
    std::function<std::string()> make;
    std::string english;
    std::string spanish;
};

inline void expectBothLanguages(const std::vector<BilingualText>& cases) {
    for (const auto& c : cases) {
        {
            ScopedLanguage english("en");
            EXPECT_EQ(c.make(), c.english);
        }
        ScopedLanguage spanish("es");
        EXPECT_EQ(c.make(), c.spanish);
    }
}

}  // namespace corvelle::test

#include "linux/gpu/DrmFdinfo.h"

#include "linux/TextFile.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

DrmFdinfo::Engine nanoseconds(std::uint64_t busy, std::uint64_t capacity = 1) { return {busy, {}, {}, {}, capacity}; }
DrmFdinfo::Engine cycles(std::uint64_t busy, std::uint64_t total, std::uint64_t capacity = 1) {
    return {{}, busy, total, {}, capacity};
}
DrmFdinfo::Engine percent(double share) { return {{}, {}, {}, share, 1}; }

// The statistics as each driver writes them (see tests/fixtures/gpu/README.md).
TEST(DrmFdinfo, RecordedFilesOfEachDriver) {
    const struct {
        const char* file;
        std::optional<DrmFdinfo> expected;
    } rows[] = {
        {"i915", DrmFdinfo{"i915", "0000:00:02.0", 7,
                           {{"render", nanoseconds(9288864723)}, {"copy", nanoseconds(2035071108)},
                            {"video", nanoseconds(0, 2)}, {"video-enhance", nanoseconds(0)}},
                           std::nullopt}},
        // Cycles against the GPU's clock; several identical engines per class; resident video memory.
        {"xe", DrmFdinfo{"xe", "0000:03:00.0", 3,
                         {{"rcs", cycles(28257900, 7655183225)}, {"bcs", cycles(0, 7655183225)},
                          {"vcs", cycles(0, 7655183225, 2)}, {"vecs", cycles(0, 7655183225, 2)},
                          {"ccs", cycles(0, 7655183225, 4)}},
                         23992 * 1024}},
        {"amdgpu", DrmFdinfo{"amdgpu", "0000:03:00.0", 26,
                             {{"gfx", nanoseconds(1787927225)}, {"compute", nanoseconds(0)}, {"dma", nanoseconds(2310496)},
                              {"dec", nanoseconds(0)}, {"enc", nanoseconds(0)}},
                             225804 * 1024}},
        // Before 5.19: the client is its address space, and each ring's recent share a percentage.
        {"amdgpu-5.14", DrmFdinfo{"", "0000:03:00.0", 32770, {{"gfx", percent(23.45)}, {"dma", percent(0.12)}}, 225804 * 1024}},
        // A DRM file of a driver without statistics.
        {"plain", std::nullopt},
    };
    for (const auto& row : rows) {
        std::string text;
        ASSERT_TRUE(TextFile::read(test::fixture(std::string("gpu/fdinfo/") + row.file), text));
        EXPECT_EQ(DrmFdinfo::parse(text), row.expected) << row.file;
    }
}

TEST(DrmFdinfo, MalformedValuesGiveNoCounter) {
    const auto info = DrmFdinfo::parse(
        "drm-driver:\tamdgpu\n"
        "drm-engine-gfx:\t12x ns\n"             // not a number
        "drm-engine-dma:\t5 ms\n"               // not a unit of the format
        "drm-cycles-rcs:\t100\n"                // cycles without the total
        "drm-engine-capacity-vcs:\t0\n"         // a capacity of 0 is not allowed
        "drm-engine-vcs:\t10 ns\n"
        "gfx0:\t101.0%\n"                       // no share above 100
        "drm-memory-vram:\t18446744073709551615 MiB\n");  // more bytes than there are
    ASSERT_TRUE(info);
    EXPECT_EQ(info->engines, (std::map<std::string, DrmFdinfo::Engine>{{"vcs", nanoseconds(10)}}));
    EXPECT_FALSE(info->vramBytes);
    // The kernel's "%d.%d" of hundredths: "12.5%" is 12.05 %.
    EXPECT_DOUBLE_EQ(*DrmFdinfo::parse("pasid:\t9\ngfx0:\t12.5%\n")->engines.at("gfx").percent, 12.05);
}

}  // namespace
}  // namespace corvelle

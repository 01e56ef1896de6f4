#include "linux/gpu/DrmClients.h"

#include "linux/TextFile.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>


namespace corvelle {
namespace {

using Client = GpuReading::Client;
constexpr std::uint64_t kClientVram = 225804ULL * 1024;

// Sets one counter of a recorded statistics file.
void setCounter(const test::WritableFixture& tree, const std::string& file, const std::string& key, std::uint64_t value) {
    std::string text, changed;
    ASSERT_TRUE(TextFile::read(tree.root() / file, text));
    TextFile::forEachLine(TextFile::trim(text), [&](std::string_view line) {
        changed += line.starts_with(key + ":") ? key + ":\t" + std::to_string(value) : std::string(line);
        changed += '\n';
    });
    tree.write(file, std::string(TextFile::trim(changed)));
}

std::vector<std::int32_t> pids(const DrmClients::Usage& usage) {
    std::vector<std::int32_t> result;
    for (const auto& client : usage.clients) result.push_back(client.pid);
    return result;
}

// The Legion's processor graphics (0) and Radeon (1): the compositor with two clients of the
// first, Firefox on the first, Steam on the second.
struct Legion {
    test::WritableFixture tree{"gpu/amd-apu-amd-dgpu"};
    DrmClients clients{tree.root(), {{"/dev/dri/card1", 0}, {"/dev/dri/renderD128", 0},
                                     {"/dev/dri/card0", 1}, {"/dev/dri/renderD129", 1}}};
    Legion() { clients.find(std::vector<std::int32_t>{1200, 2400, 3100, 9999}); }
};

TEST(DrmClients, UseIsEngineTimeBetweenReadsPerProcessAndTogether) {
    Legion m;
    EXPECT_EQ(m.clients.heldCount(), 5u);
    // The first read has nothing to measure against: the processes, with the memory they hold.
    auto first = m.clients.read(0, 100);
    EXPECT_EQ(first.clients, (std::vector<Client>{{1200, std::nullopt, 2 * kClientVram}, {2400, std::nullopt, kClientVram}}));
    EXPECT_FALSE(first.load);

    // Firefox's counter, the compositor's and each one's share over 2 s.
    const std::tuple<std::uint64_t, std::uint64_t, double, double, double, const char*> steps[] = {
        {6'000'000'000, 86'500'000'000, 50, 25, 75, "1 s and 0.5 s of 2"},
        {5'500'000'000, 86'500'000'000, 0, 0, 0, "a counter that went back is held at its highest"},
        {6'200'000'000, 87'000'000'000, 10, 25, 35, "and counts again from there"},
    };
    double now = 100;
    for (const auto& [firefox, shell, firefoxShare, shellShare, load, what] : steps) {
        setCounter(m.tree, "proc/2400/fdinfo/30", "drm-engine-gfx", firefox);
        setCounter(m.tree, "proc/1200/fdinfo/11", "drm-engine-gfx", shell);
        const auto use = m.clients.read(0, now += 2);
        ASSERT_EQ(pids(use), (std::vector<std::int32_t>{1200, 2400})) << what;
        EXPECT_DOUBLE_EQ(*use.clients[0].busyPercent, shellShare) << what;
        EXPECT_DOUBLE_EQ(*use.clients[1].busyPercent, firefoxShare) << what;
        EXPECT_DOUBLE_EQ(*use.load, load) << what;
    }
}

TEST(DrmClients, ClosedAndReusedDescriptorsAndGoneProcessesAreForgotten) {
    Legion m;
    m.clients.read(0, 100);
    // The compositor closes one of its two clients; Firefox's descriptor number now holds a socket.
    m.tree.remove("proc/1200/fd/11");
    m.tree.remove("proc/2400/fd/30");
    std::filesystem::create_symlink("socket:[4242]", m.tree.root() / "proc/2400/fd/30");
    EXPECT_EQ(pids(m.clients.read(0, 102)), (std::vector<std::int32_t>{1200}));
    EXPECT_EQ(m.clients.heldCount(), 3u);
    m.clients.keep(std::vector<std::int32_t>{1200});
    EXPECT_EQ(pids(m.clients.read(1, 104)), (std::vector<std::int32_t>{1200}));  // Steam is gone
    EXPECT_EQ(m.clients.heldCount(), 2u);
}

TEST(DrmClients, AmdgpuBeforeFiveNineteenGivesItsShareAtOnce) {
    Legion m;
    std::string legacy;
    ASSERT_TRUE(TextFile::read(test::fixture("gpu/fdinfo/amdgpu-5.14"), legacy));
    m.tree.write("proc/3100/fdinfo/42", legacy);
    const auto use = m.clients.read(1, 100);
    EXPECT_EQ(use.clients, (std::vector<Client>{{1200, std::nullopt, kClientVram}, {3100, 23.45, kClientVram}}));
    EXPECT_DOUBLE_EQ(*use.load, 23.45);
}

// Blender's client is shared with a child process that inherited it: it counts once, for Blender.
TEST(DrmClients, ACycleCountedClientSharedByTwoProcessesCountsOnce) {
    test::WritableFixture tree("gpu/intel-arc-xe");
    DrmClients clients(tree.root(), {{"/dev/dri/card0", 0}, {"/dev/dri/renderD128", 0}});
    clients.find(std::vector<std::int32_t>{1200, 2400, 2401});
    clients.read(0, 100);
    const std::uint64_t total = 2 * 7655183225ULL;
    for (const char* file : {"proc/1200/fdinfo/11", "proc/2400/fdinfo/20", "proc/2401/fdinfo/20"}) {
        setCounter(tree, file, "drm-total-cycles-rcs", total);
    }
    setCounter(tree, "proc/1200/fdinfo/11", "drm-cycles-rcs", 28257900 + 382759161);  // 5 %
    for (const char* file : {"proc/2400/fdinfo/20", "proc/2401/fdinfo/20"}) {
        setCounter(tree, file, "drm-cycles-rcs", 3000000000 + 765518322);  // 10 %
    }
    const auto use = clients.read(0, 200);  // cycles need no clock
    ASSERT_EQ(pids(use), (std::vector<std::int32_t>{1200, 2400, 2401}));
    EXPECT_NEAR(*use.clients[0].busyPercent, 5, 1e-6);
    EXPECT_NEAR(*use.clients[1].busyPercent, 10, 1e-6);
    EXPECT_FALSE(use.clients[2].busyPercent);
    EXPECT_NEAR(*use.load, 15, 1e-6);
}

}  // namespace
}  // namespace corvelle

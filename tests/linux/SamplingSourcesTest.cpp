#include "linux/DiskstatsSource.h"
#include "linux/MeminfoSource.h"
#include "linux/NetDevSource.h"
#include "linux/ProcStatCpuSource.h"

#include "support/Fixtures.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace corvelle {
namespace {

std::filesystem::path tree(const char* name) { return test::fixture(std::string("sampling/") + name); }

TEST(ProcStatCpuSource, FoldsIrqIntoSystemAndIowaitIntoIdle) {
    ProcStatCpuSource source(tree("laptop"));
    EXPECT_EQ(source.read(), (std::vector<CpuTicks>{{0, 400, 210, 5050, 10}, {1, 420, 185, 5140, 10},
                                                    {2, 450, 175, 5245, 5}, {3, 450, 165, 5205, 5}}));
    EXPECT_EQ(source.efficiencyCpus(), (std::vector<int>{2, 3}));
}

TEST(ProcStatCpuSource, MalformedRowsGiveNoReadingAndCpuListsGiveTheEfficiencyCpus) {
    for (const char* text : {"", "cpu  1 2 3 4\n", "cpu0 1 2 3\n", "cpu0 1 2 3 x\n", "cpu0 1 2 3 -4\n",
                             "cpu0 1 2 3 4\ncpu1 1 2 3 99999999999999999999999\n", "cpux 1 2 3 4\ncpu0 1\n"}) {
        EXPECT_FALSE(ProcStatCpuSource::parse(text)) << text;
    }
    // Old kernels have only the first four counters; offline CPUs leave gaps in the numbering.
    EXPECT_EQ(ProcStatCpuSource::parse("cpu0 1 2 3 4\ncpu2 5 6 7 8\n"),
              (std::vector<CpuTicks>{{0, 1, 3, 4, 2}, {2, 5, 7, 8, 6}}));
    // Efficiency CPUs from the topology's lists.
    EXPECT_EQ(ProcStatCpuSource(tree("arm")).efficiencyCpus(), (std::vector<int>{0, 1, 2, 3}));
    const std::pair<const char*, std::optional<std::vector<int>>> lists[] = {
        {"0-3,8,10-11\n", std::vector<int>{0, 1, 2, 3, 8, 10, 11}}, {"", std::vector<int>{}},
        {"3-1", std::nullopt}, {"a-b", std::nullopt}, {"0-99999999", std::nullopt}};
    for (const auto& [text, cpus] : lists) EXPECT_EQ(ProcStatCpuSource::parseCpuList(text), cpus) << text;
}

TEST(MeminfoSource, MapsMeminfoOntoPageCounts) {
    MeminfoSource source(tree("laptop"));
    EXPECT_EQ(source.physicalMemory(), 16303544ULL * 1024);
    // Page size, free, active, wired, purgeable, compressed, internal.
    EXPECT_EQ(source.read(), (VmStats{1024, 9437184, 5242880, 65536 + 16384 + 49152 + 131072, 0, 0, 4194304 + 524288}));
    EXPECT_FALSE(MeminfoSource::toVmStats(MeminfoSource::parse("MemAvailable: 5 kB\nActive: -1 kB\nAnonPages: 1 kB\n")));
    // Only the count survives: the overflowing size and the size in another unit are dropped.
    EXPECT_EQ(MeminfoSource::parse("Zswap: 99999999999999999999 kB\nHugePages_Total: 4\nBad: 5 MB\n"),
              (std::map<std::string, std::uint64_t, std::less<>>{{"HugePages_Total", 4}}));
}

TEST(DiskstatsAndNetDevSources, CountWholePhysicalDisksAndEveryInterfaceButLoopback) {
    const auto totals = DiskstatsSource(tree("laptop")).read();
    ASSERT_TRUE(totals);
    EXPECT_EQ(std::tuple(totals->bytesRead, totals->bytesWritten),
              std::tuple((8000000ULL + 4000) * 512, (6000000ULL + 1600) * 512));
    EXPECT_EQ(DiskstatsSource(tree("garbage")).read()->bytesRead, 0u);  // no disks at all
    EXPECT_FALSE(DiskstatsSource::parse("8 0 sda 1 2 x 4 5 6 7 8\n", {"sda"}));
    EXPECT_FALSE(DiskstatsSource::parse("8 0 sda 1 2\n", {"sda"}));
    // Every network interface but the loopback.
    const auto net = NetDevSource(tree("laptop")).read();
    ASSERT_TRUE(net);
    EXPECT_EQ(std::tuple(net->bytesIn, net->bytesOut), std::tuple(1500000000ULL + 20000, 250000000ULL + 30000));
}

TEST(SamplingSources, GarbageOrMissingFilesGiveNoReading) {
    for (const char* name : {"garbage", "missing"}) {
        SCOPED_TRACE(name);
        ProcStatCpuSource cpu(tree(name));
        EXPECT_FALSE(cpu.read());
        EXPECT_TRUE(cpu.efficiencyCpus().empty());
        MeminfoSource memory(tree(name));
        EXPECT_EQ(memory.physicalMemory(), 0u);
        EXPECT_FALSE(memory.read());
        EXPECT_FALSE(NetDevSource(tree(name)).read());
    }
    EXPECT_FALSE(DiskstatsSource(tree("missing")).read());
}

// The same sources against this machine: plausible figures, no crash.
TEST(RealMachine, SamplingSourcesGivePlausibleReadings) {
    EXPECT_EQ(static_cast<long>(ProcStatCpuSource().read().value().size()), sysconf(_SC_NPROCESSORS_ONLN));

    MeminfoSource memory;
    EXPECT_GT(memory.physicalMemory(), 0u);
    // At most what the kernel counts; a container may show less.
    EXPECT_LE(memory.physicalMemory(), static_cast<std::uint64_t>(sysconf(_SC_PHYS_PAGES) * sysconf(_SC_PAGESIZE)));
    EXPECT_TRUE(memory.read());

    EXPECT_TRUE(DiskstatsSource().read());
    EXPECT_TRUE(NetDevSource().read());
}

}  // namespace
}  // namespace corvelle

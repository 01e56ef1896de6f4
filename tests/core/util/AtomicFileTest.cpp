#include "util/AtomicFile.h"
#include "util/DataFile.h"

#include "support/FilesIn.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace corvelle {
namespace {

TEST(AtomicFile, WritesReplacesAndLeavesNoTemporaryFiles) {
    test::TempDir dir;
    const auto path = dir / "data.json";
    ASSERT_TRUE(AtomicFile::write(path, "first"));
    ASSERT_TRUE(AtomicFile::write(path, "second"));
    EXPECT_EQ(AtomicFile::read(path), "second");
    EXPECT_EQ(test::filesIn(dir.path()), 1u);

    // What a write cut short by a crash left: removed; other files stay.
    ASSERT_TRUE(AtomicFile::write(dir / ".data.json.tmp-123", "torn"));
    ASSERT_TRUE(AtomicFile::write(dir / ".other.json.tmp-123", "not ours"));
    AtomicFile::removeLeftovers(path);
    EXPECT_FALSE(std::filesystem::exists(dir / ".data.json.tmp-123"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".other.json.tmp-123"));
    EXPECT_EQ(AtomicFile::read(path), "second");
}

TEST(AtomicFile, AFailedReplaceReportsFailureAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    // Renaming over a folder that holds a file fails even for root.
    const auto target = dir / "data.json";
    std::filesystem::create_directories(target / "inside");
    EXPECT_FALSE(AtomicFile::write(target, "new"));
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_EQ(test::filesIn(dir.path()), 1u);
    EXPECT_FALSE(AtomicFile::write(dir / "no-such-folder" / "data.json", "x"));
    // Reading a folder or a missing file gives nothing.
    EXPECT_FALSE(AtomicFile::read(target));
    EXPECT_FALSE(AtomicFile::read(dir / "missing.json"));
}

TEST(AtomicFile, MovesACorruptFileAsideAndSaysWhereTo) {
    test::TempDir dir;
    const auto path = dir / "daily-summaries.json";
    const auto aside = dir / "daily-summaries.corrupt-1751292309.json";
    ASSERT_TRUE(AtomicFile::write(path, "{"));
    testing::internal::CaptureStderr();
    ASSERT_TRUE(AtomicFile::moveAsideCorrupt(path, 1751292309.7));
    const auto log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::filesystem::exists(aside) && !std::filesystem::exists(path));
    EXPECT_NE(log.find(path.string()), std::string::npos) << log;
    EXPECT_NE(log.find(aside.string()), std::string::npos) << log;
}

// Each data file under one rule: what cannot be used is moved aside, never written over; a newer
// file is read and kept as it is.
TEST(DataFile, UnusableFilesGoAsideAndNewerOnesAreNeverWrittenOver) {
    const struct { const char* name; void (*place)(const std::filesystem::path&); bool decodes, movedAside; } cases[] = {
        {"unreadable (a broken link)", [](const auto& p) { std::filesystem::create_symlink(p.string() + ".gone", p); },
         false, true},
        {"a directory", [](const auto& p) { std::filesystem::create_directories(p / "inside"); }, false, true},
        {"damaged", [](const auto& p) { AtomicFile::write(p, "{\"dailySnapshots\": ["); }, false, true},
        {"oversized",
         [](const auto& p) {
             std::ofstream(p) << "[" << std::string(DataFile::maxBytes, ' ') << "]";
         },
         false, true},
        {"newer schema", [](const auto& p) { AtomicFile::write(p, R"({"schemaVersion":2,"dailySnapshots":[]})"); },
         true, false},
    };
    for (const char* file : {"daily-summaries", "health-history", "profile", "baselines"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(file) + ": " + c.name);
            test::TempDir dir;
            const auto path = dir / (std::string(file) + ".json");
            c.place(path);
            DataFile data(DataFolder(dir.path()), path);
            EXPECT_EQ(data.load(1751000000).has_value(), c.decodes);
            const auto aside = dir / (std::string(file) + ".corrupt-1751000000.json");
            EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(aside)), c.movedAside);
            const auto saved = data.save(std::string("{}"));
            EXPECT_EQ(static_cast<bool>(saved), c.movedAside) << "a fresh file takes the place of one moved aside";
            if (!c.movedAside) {
                EXPECT_EQ(saved.error, ECANCELED);
                EXPECT_EQ(AtomicFile::read(path), R"({"schemaVersion":2,"dailySnapshots":[]})");
            }
        }
    }
}

}  // namespace
}  // namespace corvelle

#include "linux/InstanceLock.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace corvelle {
namespace {

using State = InstanceLock::State;

// What may sit where the lock goes, and whether a lock can be made there. A lock is held only
// while its holder lives: what the file says (an old lock naming a live process) does not count.
TEST(InstanceLockTest, HeldOnlyWhileItsHolderLivesAndNeverInAPlaceThatIsNotOurs) {
    test::TempDir dir;
    const auto folder = dir / "run", lock = folder / "app.lock";
    const auto made = [&] { return std::filesystem::create_directories(folder); };
    const struct { const char* what; std::function<void()> place; State state; } rows[] = {
        {"a folder still to make", [] {}, State::held},
        {"a lock left by a process that is still alive", [&] { made(); std::ofstream(lock) << "1\ncorvelle\nhost\n"; }, State::held},
        {"a folder in place of the file", [&] { std::filesystem::create_directories(lock); }, State::unusable},
        {"a link in place of the file", [&] { made(); std::filesystem::create_symlink(dir / "elsewhere", lock); }, State::unusable},
        {"a pipe in place of the file", [&] { made(); mkfifo(lock.c_str(), 0600); }, State::unusable},
        {"a file in place of the folder", [&] { std::ofstream(folder).flush(); }, State::unusable},
        // Only root can give the file away; anyone else keeps it, and holds it.
        {"another user's lock", [&] { made(); std::ofstream(lock).flush(); [[maybe_unused]] int given = chown(lock.c_str(), 65534, 65534); },
         geteuid() == 0 ? State::unusable : State::held},
    };
    for (const auto& row : rows) {
        std::filesystem::remove_all(folder);
        row.place();
        auto first = std::make_unique<InstanceLock>(lock);
        EXPECT_EQ(std::make_pair(first->state(), first->problem().empty()), std::make_pair(row.state, row.state == State::held))
            << row.what << ": " << first->problem();
        if (row.state != State::held) continue;
        EXPECT_EQ(InstanceLock(lock).state(), State::busy) << row.what;
        // The holder goes, however it goes: the next start takes the lock.
        first.reset();
        EXPECT_EQ(InstanceLock(lock).state(), State::held) << row.what;
    }
    std::filesystem::remove_all(folder);
    const InstanceLock fresh(lock);
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace corvelle

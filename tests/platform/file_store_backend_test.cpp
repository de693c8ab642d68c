#include "platform/file_store_backend.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <thread>

#include "helpers/child_process.h"
#include "platform/atomic_file.h"
#include "settings/store.h"
#include "temp_dir.h"

namespace orb {
namespace {

using test::ReadAll;
using test::TempDir;

const std::string kUniverseKey = "SOFTWARE\\Brightquill\\ZEFO_Orbis\\Universe";

ino_t InodeOf(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

class FileStore : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.File("orbelune.ini");
};

TEST_F(FileStore, ValuesRoundTripThroughTheFile) {
    FileStoreBackend a(path);
    EXPECT_EQ(a.Read(kUniverseKey, "Universe_Stars"), std::nullopt);
    EXPECT_TRUE(dir.Names().empty()) << "a read creates nothing";
    ASSERT_TRUE(a.Write(kUniverseKey, "Universe_Stars", "4000"));
    errno = EACCES; // left by some earlier call: no reason to refuse this write
    ASSERT_TRUE(a.Write(kUniverseKey, "Universe_Galaxy", "100"));
    EXPECT_EQ(a.Read(kUniverseKey, "universe_stars"), "4000");

    FileStoreBackend b(path);
    EXPECT_EQ(b.Read("software\\brightquill\\zefo_orbis\\UNIVERSE", "Universe_Galaxy"), "100");
    EXPECT_EQ(ReadAll(path), "[" + kUniverseKey + "]\nUniverse_Stars=4000\nUniverse_Galaxy=100\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"orbelune.ini", "orbelune.ini.lock"}));
}

TEST_F(FileStore, BatchCommitsOnceAtTheOutermostEnd) {
    FileStoreBackend store(path);
    ASSERT_TRUE(store.Write(kUniverseKey, "Before", "1"));
    ino_t before = InodeOf(path);
    store.BeginBatch();
    EXPECT_TRUE(store.EndBatch()) << "a batch without writes succeeds";
    store.BeginBatch();
    store.BeginBatch();
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(store.Write(kUniverseKey, "V" + std::to_string(i), std::to_string(i) + " "));
    EXPECT_TRUE(store.EndBatch());
    EXPECT_EQ(store.Read(AsciiLower(kUniverseKey), "v42"), "42") << "a batch reads its own writes, trimmed";
    EXPECT_EQ(InodeOf(path), before) << "nothing written before the outermost end";
    EXPECT_EQ(FileStoreBackend(path).Read(kUniverseKey, "V42"), std::nullopt);
    EXPECT_TRUE(store.EndBatch());
    EXPECT_NE(InodeOf(path), before);
    EXPECT_EQ(FileStoreBackend(path).Read(kUniverseKey, "V99"), "99");
    EXPECT_TRUE(store.EndBatch()) << "one end too many is harmless";
}

TEST_F(FileStore, InstancesSeeEachOthersWritesAndLoseNone) {
    FileStoreBackend a(path), b(path);
    ASSERT_TRUE(a.Write(kUniverseKey, "K", "from a"));
    EXPECT_EQ(b.Read(kUniverseKey, "K"), "from a");
    ASSERT_TRUE(a.Write(kUniverseKey, "K", "again a"));
    // b's cached parse is stale; its commit must merge into the current file.
    ASSERT_TRUE(b.Write(kUniverseKey, "J", "from b"));
    FileStoreBackend c(path);
    EXPECT_EQ(c.Read(kUniverseKey, "K"), "again a");
    EXPECT_EQ(c.Read(kUniverseKey, "J"), "from b");
    EXPECT_EQ(b.Read(kUniverseKey, "K"), "again a");
}

TEST_F(FileStore, LeftoverTempFromAKilledWriterIsHarmless) {
    test::WriteAll(path, "[" + kUniverseKey + "]\nK=old\n");
    test::WriteAll(dir.File("orbelune.ini.tmp-4242-0-1"), "[" + kUniverseKey + "]\nK=tor");
    // Files of the user beside it are not temporaries, however their names run.
    for (const char* other : {"a-long-file-name-of-the-user.txt", "orbelune.ini.tmp-", "orbelune.ini.tmp"})
        test::WriteAll(dir.File(other), "mine");
    FileStoreBackend store(path);
    EXPECT_EQ(store.Read(kUniverseKey, "K"), "old");
    ASSERT_TRUE(store.Write(kUniverseKey, "K", "new"));
    EXPECT_EQ(FileStoreBackend(path).Read(kUniverseKey, "K"), "new");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a-long-file-name-of-the-user.txt", "orbelune.ini",
                                                     "orbelune.ini.lock", "orbelune.ini.tmp",
                                                     "orbelune.ini.tmp-"}));
}

TEST_F(FileStore, NamesThatCannotReadBackAreRefused) {
    FileStoreBackend store(path);
    EXPECT_FALSE(store.Write(kUniverseKey, "a=b", "1"));
    EXPECT_FALSE(store.Write("bad]section", "k", "1"));
}

TEST_F(FileStore, OversizedFileIsRefusedAndKept) {
    std::string big = "[" + kUniverseKey + "]\nK=1\n" + std::string(kProfileFileMax, ';');
    test::WriteAll(path, big);
    FileStoreBackend store(path);
    EXPECT_EQ(store.Read(kUniverseKey, "K"), "1");
    EXPECT_FALSE(store.Write(kUniverseKey, "K", "2"));
    store.BeginBatch();
    store.Write(kUniverseKey, "K", "3");
    EXPECT_FALSE(store.EndBatch());
    EXPECT_EQ(ReadAll(path).size(), big.size());
    EXPECT_EQ(store.Read(kUniverseKey, "K"), "1");
}

TEST_F(FileStore, CreatesPrivateDirectoryAndFileOnFirstWrite) {
    std::string nested = dir.File("config/orbelune/orbelune.ini");
    ASSERT_TRUE(FileStoreBackend(nested).Write(kUniverseKey, "K", "1"));
    struct stat st;
    ASSERT_EQ(::stat(dir.File("config/orbelune").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(nested.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const ReplaceResult r = ReplaceFileAtomically(nested, "[K]\n", 0640);
    EXPECT_TRUE(r.ok && r.signature == StatSignature(nested)) << "the result describes the file written";
}

TEST_F(FileStore, WriteWhereNoFileCanBeFails) {
    test::WriteAll(dir.File("plain"), "x");
    FileStoreBackend store(dir.File("plain/orbelune.ini"));
    EXPECT_FALSE(store.Write(kUniverseKey, "K", "1"));
    store.BeginBatch();
    EXPECT_TRUE(store.Write(kUniverseKey, "K", "1")); // buffered
    EXPECT_FALSE(store.EndBatch());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"plain"});
    std::filesystem::create_directory(path + ".lock"); // the writers' lock cannot be taken
    EXPECT_FALSE(FileStoreBackend(path).Write(kUniverseKey, "K", "1"));
    EXPECT_FALSE(std::filesystem::exists(path));
    // A name that leaves room for the lock's name but not for the temporary file's.
    EXPECT_FALSE(FileStoreBackend(dir.File(std::string(248, 'n'))).Write(kUniverseKey, "K", "1"));
}

TEST(FileStorePath, FollowsXdgConfigHome) {
    test::ScopedEnv home("HOME", "/home/someone"), xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(DefaultSettingsPath(), "/cfg/orbelune/orbelune.ini");
    xdg.Set("relative");
    EXPECT_EQ(DefaultSettingsPath(), "/home/someone/.config/orbelune/orbelune.ini");
    xdg.Set(nullptr);
    EXPECT_EQ(FileStoreBackend().Path(), "/home/someone/.config/orbelune/orbelune.ini");
}

TEST_F(FileStore, SnapshotHoldsOneVersionOfTheFile) {
    FileStoreBackend reader(path), writer(path);
    ASSERT_TRUE(writer.Write(kUniverseKey, "Stars", "1"));
    ASSERT_TRUE(writer.Write(kUniverseKey, "Galaxies", "1"));

    reader.BeginBatch();
    ASSERT_TRUE(reader.Write(kUniverseKey, "Trail", "pending"));
    std::unique_ptr<StoreBackend> snap = reader.Snapshot();
    reader.EndBatch();
    ASSERT_TRUE(snap);
    ASSERT_TRUE(writer.Write(kUniverseKey, "Stars", "2"));
    ASSERT_TRUE(writer.Write(kUniverseKey, "Galaxies", "2"));

    EXPECT_EQ(snap->Read(kUniverseKey, "Stars"), "1");
    EXPECT_EQ(snap->Read(kUniverseKey, "galaxies"), "1");
    EXPECT_EQ(snap->Read(kUniverseKey, "Trail"), "pending") << "the open batch's writes are part of it";
    EXPECT_FALSE(snap->Write(kUniverseKey, "Stars", "3"));
    EXPECT_EQ(snap->Snapshot()->Read(kUniverseKey, "Stars"), "1");
    EXPECT_EQ(reader.Read(kUniverseKey, "Stars"), "2") << "the store itself moves on";
    reader.BeginBatch();
    EXPECT_EQ(reader.Read(kUniverseKey, "Stars"), "2");
    ASSERT_TRUE(writer.Write(kUniverseKey, "Stars", "3"));
    EXPECT_EQ(reader.Read(kUniverseKey, "Stars"), "2") << "a batch reads one version of the file";
    reader.EndBatch();
    EXPECT_EQ(reader.Read(kUniverseKey, "Stars"), "3");
}

TEST_F(FileStore, SnapshotOfAMissingFileIsEmptyAndOfAnUnreadableOneIsNothing) {
    std::unique_ptr<StoreBackend> empty = FileStoreBackend(path).Snapshot();
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Read(kUniverseKey, "Stars"), std::nullopt);
    EXPECT_TRUE(dir.Names().empty()) << "a snapshot creates nothing";

    std::filesystem::create_directory(path); // exists, but is no file that can be read
    EXPECT_EQ(FileStoreBackend(path).Snapshot(), nullptr);
}

TEST_F(FileStore, ConcurrentCreatorsOfOneFolderAllSucceed) {
    for (int round = 0; round < 20; ++round) {
        const std::string file = dir.File("r" + std::to_string(round) + "/a/b/c/orbelune.ini");
        std::atomic<int> ready = 0, made = 0;
        std::vector<std::thread> creators;
        for (int i = 0; i < 4; ++i)
            creators.emplace_back([&] {
                for (++ready; ready < 4;)
                    std::this_thread::yield();
                made += EnsureParentDirectory(file, 0700);
            });
        for (std::thread& t : creators)
            t.join();
        EXPECT_EQ(made, 4) << "round " << round;
    }
}

std::atomic<int> signalsSeen = 0;

// Thread id's scheduler state letter from /proc ('S' while blocked).
char TaskState(pid_t tid) {
    std::string stat = ReadAll("/proc/self/task/" + std::to_string(tid) + "/stat");
    const size_t close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() ? '?' : stat[close + 2];
}

TEST_F(FileStore, LockWaitOutlastsASignal) {
    struct sigaction sa {}, old {};
    sa.sa_handler = [](int) { ++signalsSeen; }; // no SA_RESTART: the wait returns EINTR
    ::sigaction(SIGUSR1, &sa, &old);
    auto held = std::make_unique<FileLock>(dir.File("lock"));
    ASSERT_TRUE(held->Held());
    std::atomic<pid_t> tid = 0;
    bool waiterHeld = false;
    std::thread waiter([&] {
        tid = ::gettid();
        waiterHeld = FileLock(dir.File("lock")).Held();
    });
    const auto blocked = [&] {
        for (int i = 0; i < 500 && (tid == 0 || TaskState(tid) != 'S'); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };
    blocked();
    ::pthread_kill(waiter.native_handle(), SIGUSR1);
    while (signalsSeen == 0)
        std::this_thread::yield();
    blocked(); // waiting again, or gone
    held.reset();
    waiter.join();
    ::sigaction(SIGUSR1, &old, nullptr);
    EXPECT_TRUE(waiterHeld);
}

// count distinct values from writer `id`, alternating runs of single writes and batches.
bool WriteValues(const std::string& path, int id, int count) {
    FileStoreBackend store(path);
    bool ok = true;
    for (int start = 0; start < count; start += 10) {
        const bool batch = (start / 10) % 2 == 0;
        if (batch) store.BeginBatch();
        for (int n = start; n < start + 10 && n < count; ++n)
            ok &= store.Write(KeyPath("Universe\\Galaxy" + std::to_string(n % 32)),
                              "W" + std::to_string(id) + "_" + std::to_string(n),
                              std::to_string(id) + ":" + std::to_string(n));
        if (batch) ok &= store.EndBatch();
    }
    return ok;
}

TEST_F(FileStore, TwoWriterProcessesLoseNoWrite) {
    constexpr int kCount = 120;
    const pid_t first = test::InChild([&] { return WriteValues(path, 1, kCount); });
    const pid_t second = test::InChild([&] { return WriteValues(path, 2, kCount); });
    EXPECT_EQ(test::WaitExit(first), 0);
    EXPECT_EQ(test::WaitExit(second), 0);

    std::string text = ReadAll(path);
    ProfileText parsed(text);
    EXPECT_EQ(parsed.Serialize(), text);
    int missing = 0;
    for (int id = 1; id <= 2; ++id)
        for (int n = 0; n < kCount; ++n) {
            std::string section = KeyPath("Universe\\Galaxy" + std::to_string(n % 32));
            auto v = parsed.Get(section, "W" + std::to_string(id) + "_" + std::to_string(n));
            missing += v != std::to_string(id) + ":" + std::to_string(n);
        }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"orbelune.ini", "orbelune.ini.lock"}));
}

} // namespace
} // namespace orb

#include "platform/instance_socket.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/temp_dir.h"

namespace orb {
namespace {

// Every socket of the test in a runtime folder of its own.
class InstanceSocketTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    test::ScopedEnv runtime{"XDG_RUNTIME_DIR", dir.Path().c_str()};
};

TEST_F(InstanceSocketTest, TheHolderIsFoundAndAskedToTheFrontUntilItLetsGo) {
    EXPECT_EQ(InstanceSocketPath("ZEFO:Orbelune 3.0"), dir.Path() + "/orbelune/ZEFO_Orbelune_3_0.sock");
    EXPECT_FALSE(InstanceExists("ZEFO:Orbelune 3.0"));
    EXPECT_FALSE(RequestToFront("ZEFO:Orbelune 3.0"));
    {
        std::unique_ptr<InstanceClaim> claim = InstanceClaim::Take("ZEFO:Orbelune 3.0");
        ASSERT_TRUE(claim);
        EXPECT_FALSE(InstanceClaim::Take("ZEFO:Orbelune 3.0")) << "a second holder";
        EXPECT_TRUE(InstanceExists("ZEFO:Orbelune 3.0"));
        EXPECT_FALSE(InstanceExists("Galaxy Properties")) << "captions are kept apart";
        EXPECT_TRUE(RequestToFront("ZEFO:Orbelune 3.0"));
        EXPECT_TRUE(RequestToFront("ZEFO:Orbelune 3.0"));
        EXPECT_EQ(claim->TakeFrontRequests(), 2) << "the existence probe is not a request";
        EXPECT_EQ(claim->TakeFrontRequests(), 0);
    }
    EXPECT_FALSE(InstanceExists("ZEFO:Orbelune 3.0"));
    EXPECT_TRUE(InstanceClaim::Take("ZEFO:Orbelune 3.0"));
}

TEST_F(InstanceSocketTest, ASocketLeftByADeadProcessIsTakenOver) {
    const std::string path = InstanceSocketPath("Galaxy Properties");
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd); // bound, never listening, never removed: what a crash leaves
    EXPECT_FALSE(InstanceExists("Galaxy Properties"));
    std::unique_ptr<InstanceClaim> claim = InstanceClaim::Take("Galaxy Properties");
    ASSERT_TRUE(claim);
    EXPECT_TRUE(InstanceExists("Galaxy Properties"));
}

TEST_F(InstanceSocketTest, AHolderThoughtDeadLeavesTheSocketOfItsSuccessorAlone) {
    std::unique_ptr<InstanceClaim> first = InstanceClaim::Take("Galaxy Properties");
    ASSERT_TRUE(first);
    ::unlink(InstanceSocketPath("Galaxy Properties").c_str()); // as a start that found it dead does
    std::unique_ptr<InstanceClaim> second = InstanceClaim::Take("Galaxy Properties");
    ASSERT_TRUE(second);
    first.reset();
    EXPECT_TRUE(InstanceExists("Galaxy Properties"));
}

TEST_F(InstanceSocketTest, ARuntimeFolderIsUsedWhileEverySocketPathFits) {
    std::string longest = dir.Path() + "/";
    longest += std::string(sizeof(sockaddr_un{}.sun_path) - 50 - longest.size(), 'r'); // 40 + "/orbelune" + 1
    for (const std::string& runtimeDir : {longest, longest + "r"}) {
        ASSERT_EQ(::mkdir(runtimeDir.c_str(), 0700), 0);
        runtime.Set(runtimeDir.c_str());
        EXPECT_EQ(InstanceFolder().starts_with(runtimeDir), runtimeDir == longest) << runtimeDir.size();
    }
}

TEST_F(InstanceSocketTest, AFolderOthersCanWriteIsNotUsed) {
    const std::string shared = dir.Path() + "/orbelune";
    ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    EXPECT_EQ(InstanceFolder(), "/tmp/orbelune-" + std::to_string(::getuid()));
    runtime.Set("relative/path");
    EXPECT_EQ(InstanceFolder(), "/tmp/orbelune-" + std::to_string(::getuid()));
}

} // namespace
} // namespace orb

// Starting the store_writer helper program (store_writer.cpp) from a test.
#pragma once

#include <spawn.h>

#include "test_paths.h"

#include <string>
#include <vector>

extern "C" char** environ;

namespace orb::test {

// Starts store_writer with args; its pid, or -1.
inline pid_t StartStoreWriter(std::vector<std::string> args) {
    args.insert(args.begin(), std::string(ORBELUNE_HELPER_DIR) + "/store_writer");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    return ::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

} // namespace orb::test

// Writes `count` distinct values into a settings file through FileStoreBackend, alternating
// runs of single writes and batches, so that tests can run several at once on one file.
// Usage: store_writer <file> <writer id> <count>. Exit status 0 when every write landed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file_store_backend.h"
#include "settings/store.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <file> <writer id> <count>\n", argv[0]);
        return 1;
    }
    const std::string id = argv[2];
    const int count = std::atoi(argv[3]);
    constexpr int kRun = 10; // values per run; even runs are one batch, odd runs single writes
    orb::FileStoreBackend store(argv[1]);
    bool ok = true;
    for (int start = 0; start < count; start += kRun) {
        bool batch = (start / kRun) % 2 == 0;
        if (batch) store.BeginBatch();
        for (int n = start; n < start + kRun && n < count; ++n) {
            std::string section = orb::KeyPath("Universe\\Galaxy" + std::to_string(n % 32));
            ok &= store.Write(section, "W" + id + "_" + std::to_string(n), id + ":" + std::to_string(n));
        }
        if (batch) ok &= store.EndBatch();
    }
    return ok ? 0 : 2;
}

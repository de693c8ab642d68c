// Writes into a settings file through FileStoreBackend so that tests can run several writers
// at once on one file.
//   store_writer <file> <writer id> <count>
//       `count` distinct values, alternating runs of single writes and batches.
//   store_writer <file> import <count> <template> [<template>...]
//       `count` imports of the templates in turn, each one commit, as `orbelune --import` does.
// Exit status 0 when every write landed.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/file_store_backend.h"
#include "settings/store.h"
#include "settings/templates.h"

namespace {

bool WriteValues(orb::FileStoreBackend& store, const std::string& id, int count) {
    constexpr int kRun = 10; // values per run; even runs are one batch, odd runs single writes
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
    return ok;
}

bool ImportTemplates(orb::FileStoreBackend& backend, int count, char** templates, int templateCount) {
    orb::SettingsStore store(backend);
    bool ok = true;
    for (int n = 0; n < count; ++n)
        ok &= orb::ImportTemplateFile(store, templates[n % templateCount]) == orb::TemplateStatus::Done;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::string_view(argv[2]) == "import") {
        orb::FileStoreBackend store(argv[1]);
        return ImportTemplates(store, std::atoi(argv[3]), argv + 4, argc - 4) ? 0 : 2;
    }
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: %s <file> <writer id> <count>\n"
                     "       %s <file> import <count> <template>...\n",
                     argv[0], argv[0]);
        return 1;
    }
    orb::FileStoreBackend store(argv[1]);
    return WriteValues(store, argv[2], std::atoi(argv[3])) ? 0 : 2;
}

// The orbelune program: settings backup and restore from the command line, and the start-up
// decision for the screen-saver modes.
#include <iostream>
#include <string>
#include <vector>

#include "app/core/cli.h"
#include "engine/animation/trig.h"
#include "platform/file_store_backend.h"
#include "settings/presets.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    orb::CliCommand cmd = orb::ParseArguments(args);
    orb::BuildTrigTables();
    orb::BuildFactoryNameTable();
    orb::FileStoreBackend backend;
    return orb::RunCommand(cmd, argc > 0 ? argv[0] : "orbelune", backend, std::cout, std::cerr);
}

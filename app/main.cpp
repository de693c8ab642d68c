// The orbelune program: the screen-saver window modes, settings backup and restore from the
// command line, and the start-up decision for the classic screen-saver switches.
#include <iostream>
#include <string>
#include <vector>

#include "app/core/cli.h"
#include "engine/animation/trig.h"
#include "platform/file_store_backend.h"
#include "settings/presets.h"

#ifdef ORBELUNE_GUI
#include "app/window_modes.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    orb::CliCommand cmd = orb::ParseArguments(args);
    orb::BuildTrigTables();
    orb::FileStoreBackend backend;
    const char* program = argc > 0 ? argv[0] : "orbelune";
#ifdef ORBELUNE_GUI
    orb::GuiWindowModes windows(program, backend);
    return orb::RunCommand(cmd, program, backend, std::cout, std::cerr, &windows);
#else
    return orb::RunCommand(cmd, program, backend, std::cout, std::cerr);
#endif
}

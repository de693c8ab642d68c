// What every window test needs: settings in memory, the process-wide values, a private runtime
// folder for the single-instance sockets, and waiting on the event loop.
#pragma once

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/core/app_state.h"
#include "platform/saver_system.h"
#include "platform/temp_dir.h"
#include "settings/store.h"

namespace orb::test {

// The system's saver services as a test sees them: what was announced, and a password answer.
class RecordingSystem : public SaverSystem {
  public:
    std::vector<bool> running; // every SetSaverRunning, in order
    int checks = 0;            // VerifySaverPassword calls
    bool accept = true;        // the password answer
    void SetSaverRunning(bool r) override { running.push_back(r); }
    bool VerifySaverPassword(uint64_t) override {
        ++checks;
        return accept;
    }
};

class GuiTest : public ::testing::Test {
  protected:
    MemoryBackend backend;
    SettingsStore store{backend};
    AppState state;
    TempDir runtime;

    void SetUp() override { ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1); }

    void Advanced(const char* name, const char* text) { store.WriteText(kSectionAdvanced, name, text); }

    // Runs the event loop until the condition holds, at most ten seconds (a first universe can take
    // seconds on a busy machine). Wait for the very state asserted next, never for time to pass.
    static bool WaitFor(const std::function<bool()>& condition, int ms = 10000) {
        return QTest::qWaitFor(condition, ms);
    }

    static void MoveMouse(QWidget* w, QPoint at) {
        QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
};

} // namespace orb::test

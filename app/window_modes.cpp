#include "app/window_modes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <cstdlib>
#include <functional>
#include <memory>

#include "app/core/app_state.h"
#include "app/core/startup.h"
#include "app/hosted_view.h"
#include "app/properties_host.h"
#include "app/saver_session.h"
#include "app/saver_window.h"
#include "app/screen_window.h"
#include "platform/instance_socket.h"
#include "platform/qt/termination.h"
#include "platform/saver_system.h"
#include "settings/store.h"

namespace orb {

namespace {

bool Hosted(WindowMode m) {
    return m == WindowMode::Preview || m == WindowMode::Hosted;
}

// Whether Qt can be started without aborting: a display of some kind is reachable.
bool DisplayAvailable(WindowMode mode) {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v != nullptr && v[0] != '\0';
    };
    if (Hosted(mode)) return set("DISPLAY");
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// Leaves the event loop without Qt asking every window to close first (the saver's windows would
// refuse: their close goes through the password check).
void EndLoop() {
    QCoreApplication::exit(0);
}

// ORBELUNE_STATS=1: frames and seconds of the run on stderr when it ends, for measurements.
void ReportStats(std::ostream& err, int64_t frames, qint64 ms) {
    const char* v = std::getenv("ORBELUNE_STATS");
    if (v == nullptr || v[0] == '\0' || v[0] == '0') return;
    err << "orbelune: " << frames << " frames in " << ms / 1000.0 << " s\n";
}

} // namespace

GuiWindowModes::GuiWindowModes(const char* programName, StoreBackend& backend)
    : programName_(programName), backend_(backend) {}

bool GuiWindowModes::WindowExists(std::string_view caption) {
    return InstanceExists(caption);
}

bool GuiWindowModes::BringToFront(std::string_view caption) {
    return RequestToFront(caption);
}

int GuiWindowModes::Run(const WindowRequest& request, std::ostream& err) {
    if (request.mode == WindowMode::Preview && request.hostWindow == 0) return kExitOk; // nothing to draw in
    if (!DisplayAvailable(request.mode)) {
        err << "orbelune: no display to show the animation on (set DISPLAY)\n";
        return kExitFileError;
    }
    // Drawing into another program's window is an X11 matter.
    if (Hosted(request.mode)) qputenv("QT_QPA_PLATFORM", "xcb");

    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName_), nullptr};
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    AppState state;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        state.twipsPerPixelX = TwipsPerPixelFromDpi(s->logicalDotsPerInchX());
        state.twipsPerPixelY = TwipsPerPixelFromDpi(s->logicalDotsPerInchY());
    }
    SettingsStore store(backend_);
    ViewOptions options;
    options.seed = request.seed;
    options.frameDelay = request.frameDelay;
    options.preview = request.mode == WindowMode::Preview;

    TerminationWatch termination;
    QObject::connect(&termination, &TerminationWatch::terminationRequested, &app, [&state] {
        state.stopFlag = true;
        QCoreApplication::exit(0);
    });

    if (request.mode == WindowMode::Properties) return RunPropertiesDialog(store, state);

    std::unique_ptr<SaverSession> saver;
    std::unique_ptr<ScreenWindow> screen;
    std::unique_ptr<PropertiesWindow> properties; // over the screen window: goes before it
    std::unique_ptr<HostedRun> hosted;
    std::function<int64_t()> frames;
    switch (request.mode) {
    case WindowMode::Saver:
        state.runMode = RunMode::Normal;
        saver = std::make_unique<SaverSession>(store, state, DefaultSaverSystem(), options);
        QObject::connect(saver.get(), &SaverSession::finished, &app, EndLoop, Qt::QueuedConnection);
        saver->Open();
        frames = [&] {
            int64_t n = 0;
            for (const UniverseView* w : saver->Windows())
                n += w->FramesPresented();
            return n;
        };
        break;
    case WindowMode::ApplicationWindow:
        screen = std::make_unique<ScreenWindow>(store, state, options);
        QObject::connect(screen.get(), &ScreenWindow::endRequested, &app, EndLoop, Qt::QueuedConnection);
        QObject::connect(screen.get(), &ScreenWindow::propertiesRequested, &app,
                         [&] { OpenModalProperties(*screen, store, state, properties); });
        screen->Open();
        frames = [&] { return screen->FramesPresented(); };
        break;
    default:
        state.runMode = request.mode == WindowMode::Preview ? RunMode::Preview : RunMode::Normal;
        state.previewHostWindow = request.hostWindow;
        hosted =
            std::make_unique<HostedRun>(store, state, options, static_cast<uint32_t>(request.hostWindow));
        QObject::connect(hosted.get(), &HostedRun::finished, &app, EndLoop, Qt::QueuedConnection);
        if (!hosted->Open()) return kExitOk; // no such window: nothing to show
        frames = [&] { return hosted->View()->FramesPresented(); };
        break;
    }
    QElapsedTimer clock;
    clock.start();
    const int code = app.exec();
    ReportStats(err, frames(), clock.elapsed());
    return code;
}

} // namespace orb

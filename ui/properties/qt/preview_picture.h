// picPreview: a black picture the engine draws a preview into, at the screen's device pixels,
// and the run of one galaxy-type or composite preview in it, one frame per timer tick paced by
// the frame delay. The run works on its own engine and its own validated copy of the tables,
// so nothing the window does meanwhile can change or break it.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <memory>
#include <vector>

#include "engine/animation/framebuffer.h"
#include "engine/creation/preview.h"
#include "settings/records.h"
#include "settings/store.h"

namespace orb {

class PreviewPicture : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewPicture(QWidget* parent = nullptr);
    // The drawing surface, sized to the picture's present device pixels and cleared.
    Framebuffer& PrepareSurface();
    Framebuffer& Surface() { return surface_; }
    // The surface's pixels as they stand, shown at the next paint.
    void Present() { update(); }
    // Pixels of the surface that are not black (tests, and nothing else).
    int LitPixels() const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<uint32_t> pixels_; // 0x00BBGGRR, surface_ points here
    Framebuffer surface_;          // what the engine draws on
    QImage image_;                 // converted for painting, device pixels
};

class PreviewRun : public QObject {
    Q_OBJECT
  public:
    // cancel: the window's PreviewCancel flag; the run clears it when it ends for that reason.
    PreviewRun(SettingsStore& store, PreviewPicture& picture, std::atomic<bool>& cancel,
               QObject* parent = nullptr);
    ~PreviewRun() override;
    // Starts a preview of a copy of `tables` (validated), with the dialog's universe fields.
    void Start(const GalaxyTables& tables, const PropertiesPreviewFields& fields);
    // Asks the running preview to end: it ends at once, through the cancel flag.
    void Stop();
    bool Running() const { return preview_ != nullptr; }
    int32_t Frames() const { return preview_ ? preview_->Frames() : 0; }

  signals:
    void finished(); // the preview has ended (stopped, or its picture went away)

  private:
    void Tick();
    void Finish();

    SettingsStore& store_;                   // FocalLength for the picture's projection
    PreviewPicture& picture_;                // where the preview draws
    std::atomic<bool>& cancel_;              // PreviewCancel
    std::unique_ptr<UniverseEngine> engine_; // the preview's own engine and tables
    std::unique_ptr<PreviewGalaxy> preview_; // the running stepper, or none
    PreviewSurface surface_;                 // screen constants and frame delay of this run
    QTimer timer_;                           // next frame
};

} // namespace orb

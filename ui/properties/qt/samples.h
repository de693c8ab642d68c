// The dialog's small drawings: colour samples (one colour, or a strip of 80 colours through the
// hue wheel) and the sketch of a shape profile.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

namespace orb {

// picPixHue, picGalHue, picColUni, picColNova: one colour, or 80 equal vertical strips.
class ColourSample : public QWidget {
    Q_OBJECT
  public:
    explicit ColourSample(QWidget* parent = nullptr);
    // One colour, 0x00BBGGRR.
    void SetColour(uint32_t colour);
    // 80 strips running through the hue wheel from start to end (hues 0..999 as the fade
    // palettes take them).
    void SetHueRun(int start, int end);
    // The colour painted at strip i (0..79), or the single colour; for tests.
    uint32_t ColourAt(int strip) const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<uint32_t, 80> strips_{}; // the run's colours
    uint32_t colour_ = 0;               // the single colour
    bool run_ = false;                  // strips, not one colour
};

// picUniProfile, picGalProfile: the envelope of a shape profile across a disc's width.
class ProfileSketch : public QWidget {
    Q_OBJECT
  public:
    explicit ProfileSketch(QWidget* parent = nullptr);
    void SetProfile(int profile); // 0..6; others draw nothing
    int Profile() const { return profile_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int profile_ = 0; // shape profile drawn
};

} // namespace orb

#include "ui/info/qt/about_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/fields/qt/field_helpers.h"
#include "ui/info/qt/credits_window.h"
#include "ui/info/qt/info_paint.h"

namespace orb {

namespace {

constexpr int kPictureWidth = 256; // picZEFO, pixels
constexpr int kPictureHeight = 200;

const char* const kNotice = "  As such, please share it with "
                            "your friends and folks.  Complete documentation can be found "
                            "in the online Help.  Send questions and suggestions to the "
                            "above destination(s).  Your transmittal will be attended to as "
                            "the product author's resources allow.  Cheers.  "
                            "\nP.S.  If you like this product, look for Brightquill.";

} // namespace

// picZEFO: the show's pixels, presented once per frame.
class ShowPicture : public QWidget {
  public:
    explicit ShowPicture(QWidget* parent) : QWidget(parent) {
        setFixedSize(kPictureWidth, kPictureHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
        // A window of its own on the display, so that the show can be read back as one surface
        // (the window tests do); its holder keeps the labels around it from becoming windows
        // too, which would lose their see-through background.
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        setAttribute(Qt::WA_NativeWindow);
        image_ = QImage(size(), QImage::Format_RGB32);
        image_.fill(Qt::black);
    }
    // Copies the engine's 0x00BBGGRR pixels into the image as 0xFFRRGGBB.
    void Present(const Framebuffer& f) {
        const int w = std::min(f.width, image_.width()), h = std::min(f.height, image_.height());
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
            const uint32_t* src = f.pixels + static_cast<size_t>(y) * static_cast<size_t>(f.stride);
            for (int x = 0; x < w; ++x) {
                const uint32_t c = src[x];
                row[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                              static_cast<int>((c >> 16) & 0xFF));
            }
        }
        update();
    }
    const QImage& Image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(rect(), image_);
    }

  private:
    QImage image_;
};

AboutWindow::AboutWindow(AboutContext context, QWidget* owner)
    : QDialog(owner), context_(std::move(context)) {
    setWindowTitle(tr("About Orbelune"));
    setWindowModality(Qt::WindowModal);
    using Tone = ShadowLabel::Tone;
    auto label = [this](const QString& text, Tone tone, int pointDelta = 0) {
        auto* l = new ShadowLabel(text, tone, this);
        if (pointDelta) {
            QFont f = l->font();
            f.setPointSize(f.pointSize() + pointDelta);
            f.setBold(true);
            l->setFont(f);
        }
        return l;
    };
    auto* lblSpecial = label(tr("Orbelune"), Tone::Green, 10);
    auto* lblModule = label(tr("3D Dotweave"), Tone::Green, 2);
    auto* lblVersion = label(tr("Version 3.0"), Tone::Green);
    auto* lblKLVA = label(tr("A universe of galaxies, one pixel at a time"), Tone::Green);
    auto* lblContact = label(tr("Contact the Product Author for Information:"), Tone::Cyan);
    auto* lblEmail = label(tr("The Orbelune developers"), Tone::Cyan);
    auto* lblWeb = label(QString::fromStdString(context_.homePage), Tone::Cyan);
    lblWeb->setWordWrap(true);
    auto* lblSmall = label(QString::fromUtf8(kNotice), Tone::Cyan);
    lblSmall->setWordWrap(true);
    auto* lblCopy = label(tr("Copyright (c) 2026 the Orbelune developers. Free to share."), Tone::Cyan);
    lblCopy->setWordWrap(true);

    auto* pictureHolder = new QWidget(this);
    auto* holderLayout = new QVBoxLayout(pictureHolder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    picZEFO_ = new ShowPicture(pictureHolder);
    holderLayout->addWidget(picZEFO_);
    cmdWeb_ = new QPushButton(tr("&Web..."), this);
    cmdCredits_ = new QPushButton(QStringLiteral("©"), this);
    cmdCredits_->setToolTip(tr("Credits"));
    cmdCredits_->setAccessibleName(tr("Credits"));
    cmdDismiss_ = new QPushButton(tr("OK"), this);
    cmdDismiss_->setDefault(true);
    connect(cmdWeb_, &QPushButton::clicked, this, &AboutWindow::OpenWeb);
    connect(cmdCredits_, &QPushButton::clicked, this, &AboutWindow::OpenCredits);
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(lblSpecial), static_cast<QWidget*>(lblModule),
                       static_cast<QWidget*>(lblVersion), static_cast<QWidget*>(lblKLVA)})
        text->addWidget(w);
    text->addSpacing(8);
    for (QWidget* w :
         {static_cast<QWidget*>(lblContact), static_cast<QWidget*>(lblEmail), static_cast<QWidget*>(lblWeb)})
        text->addWidget(w);
    text->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(text, 1);
    top->addWidget(pictureHolder, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdWeb_);
    buttons->addWidget(cmdCredits_);
    buttons->addStretch(1);
    buttons->addWidget(cmdDismiss_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16); // clear of the frame border
    outer->addLayout(top);
    outer->addWidget(lblSmall);
    outer->addWidget(lblCopy);
    outer->addLayout(buttons);
    lblSmall->setMinimumWidth(kPictureWidth * 2);

    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AboutWindow::Tick);
    adjustSize(); // the layout's size, so that the centring uses it
    CentreOnScreen(this);
}

AboutWindow::~AboutWindow() = default;

QWidget* AboutWindow::Picture() const {
    return picZEFO_;
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintInfoBackground(p, rect());
}

void AboutWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    // The show runs on its own engine and tables: nothing of the user's is copied or restored.
    show_ = std::make_unique<AboutShow>(kPictureWidth, kPictureHeight, context_.universe, *context_.ticks);
    timer_.start(0);
}

void AboutWindow::Tick() {
    if (paused_ || !show_) return;
    const PreviewFrame f = show_->Step();
    if (f.status != PreviewStatus::Cancelled) {
        picZEFO_->Present(show_->Picture());
        emit frameShown();
    }
    const int32_t spent = static_cast<int32_t>(context_.ticks->Ticks() - f.frameStartTick);
    const int delay = show_->FrameDelay();
    timer_.start(f.status == PreviewStatus::Cancelled ? 0 : std::clamp(delay - spent, 0, delay));
}

void AboutWindow::OpenCredits() {
    if (credits_) return;
    paused_ = true;
    timer_.stop();
    if (show_) show_->SkipComposite();
    const QRect over = context_.creditsOver.isValid()
                           ? context_.creditsOver
                           : (parentWidget() ? parentWidget()->window()->frameGeometry() : frameGeometry());
    credits_ = new CreditsWindow(show_ ? show_->FrameDelay() : kAboutFrameDelay, *context_.ticks, over, this);
    credits_->setAttribute(Qt::WA_DeleteOnClose);
    CreditsParams p;
    p.stars = 150;
    p.speed = 0.005f;
    p.scroll = 2.0f;
    p.credits = OrbeluneCredits();
    credits_->FormLet(p);
    connect(credits_, &QDialog::finished, this, &AboutWindow::Resume);
    credits_->open();
}

void AboutWindow::Resume() {
    paused_ = false;
    update(); // the background again, in case the credits covered it
    if (isVisible()) timer_.start(0);
}

void AboutWindow::OpenWeb() {
    if (context_.opener && context_.messages)
        OpenMakerPage(*context_.opener, *context_.messages, context_.homePage);
}

void AboutWindow::done(int result) {
    timer_.stop(); // only this window's show ends
    if (credits_) credits_->close();
    QDialog::done(result);
}

} // namespace orb

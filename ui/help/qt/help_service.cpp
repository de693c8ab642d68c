#include "ui/help/qt/help_service.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QVariant>
#include <QWidget>

#include "ui/help/help_topics.h"
#include "ui/help/qt/help_window.h"

namespace orb {

namespace {

constexpr const char* kTopicProperty = "orbHelpTopic";

// A topic named by a control's object name, if any.
std::string TopicByName(const QString& name, int galaxyStyle) {
    static const QRegularExpression indexed(QStringLiteral("^(txtUni|txtGalaxy|txtPixHue)(\\d+)$"));
    const auto m = indexed.match(name);
    if (m.hasMatch()) {
        const int index = m.captured(2).toInt();
        const QString kind = m.captured(1);
        std::string_view key = kind == QLatin1String("txtUni")      ? UniverseFieldTopic(index)
                               : kind == QLatin1String("txtGalaxy") ? GalaxyBoxTopic(index, galaxyStyle)
                                                                    : PixHueTopic(index);
        return std::string(key);
    }
    if (name.isEmpty()) return {};
    const QByteArray n = name.toUtf8();
    const std::string_view key(n.constData(), static_cast<size_t>(n.size()));
    if (const std::string_view named = NamedControlTopic(key); !named.empty()) return std::string(named);
    return FindHelpTopic(key) ? std::string(key) : std::string();
}

} // namespace

void SetHelpTopic(QWidget* widget, std::string_view key) {
    if (widget)
        widget->setProperty(kTopicProperty, QString::fromUtf8(key.data(), static_cast<int>(key.size())));
}

std::string HelpTopicOf(const QWidget* widget, int galaxyStyle) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant mark = w->property(kTopicProperty);
        if (mark.isValid() && !mark.toString().isEmpty()) return mark.toString().toStdString();
        std::string byName = TopicByName(w->objectName(), galaxyStyle);
        if (!byName.empty()) return byName;
        if (w->isWindow()) { // a window of the program known by its caption
            const QByteArray caption = w->windowTitle().toUtf8();
            const std::string_view key = WindowCaptionTopic(
                std::string_view(caption.constData(), static_cast<size_t>(caption.size())));
            if (!key.empty()) return std::string(key);
        }
    }
    return {};
}

HelpService::HelpService(QObject* parent) : QObject(parent) {}

HelpService::~HelpService() {
    if (watching_ && qApp) qApp->removeEventFilter(this);
    if (window_) delete window_.data();
}

HelpWindow* HelpService::Window() {
    if (!window_) window_ = new HelpWindow(nullptr);
    return window_;
}

bool HelpService::IsOpen() const {
    return window_ && window_->isVisible();
}

void HelpService::ShowTopic(std::string_view key) {
    Window()->ShowTopic(key);
}
void HelpService::ShowContents() {
    Window()->ShowContents();
}
void HelpService::ShowSearch() {
    Window()->ShowSearch();
}

void HelpService::Close() {
    if (window_) window_->close();
}

void HelpService::WatchF1(std::function<int()> galaxyStyle) {
    galaxyStyle_ = std::move(galaxyStyle);
    if (!watching_ && qApp) {
        qApp->installEventFilter(this);
        watching_ = true;
    }
}

bool HelpService::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    // Inside the help window F1 is just a key.
    if (window_ && (widget == window_ || window_->isAncestorOf(widget))) return false;
    const std::string topic = HelpTopicOf(widget, galaxyStyle_ ? galaxyStyle_() : 0);
    if (topic.empty()) return false;
    ShowTopic(topic);
    return true;
}

} // namespace orb

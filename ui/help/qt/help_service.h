// The program's help: one help window shared by its dialogs, opened at a topic by F1 in any
// control, by the Help menu's contents and search, and closed with the Properties dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace orb {

class HelpWindow;

// Marks a control (or a page, frame or window) with its help topic key.
void SetHelpTopic(QWidget* widget, std::string_view key);

// The topic of a control: its own mark, a topic named like it (txtUni4, txtPixHue2, frmAdvanced,
// fraUniProp1, ...), or that of the nearest enclosing widget that has one. Empty when none.
// `galaxyStyle` gives the style the galaxy boxes are labelled for.
std::string HelpTopicOf(const QWidget* widget, int galaxyStyle);

class HelpService : public QObject {
    Q_OBJECT
  public:
    explicit HelpService(QObject* parent = nullptr);
    ~HelpService() override;

    // The window, made when first needed.
    HelpWindow* Window();
    bool IsOpen() const;

    void ShowTopic(std::string_view key);
    void ShowContents();
    void ShowSearch();
    // Closes the window (the Properties dialog is going away).
    void Close();

    // F1 anywhere in the application opens the topic of the focused control; the key goes no
    // further. The style of the galaxy editor's boxes comes from `galaxyStyle` when given.
    void WatchF1(std::function<int()> galaxyStyle = {});

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<HelpWindow> window_;      // the help window, while it exists
    std::function<int()> galaxyStyle_; // the galaxy editor's style, for its relabelled boxes
    bool watching_ = false;            // installed on the application
};

} // namespace orb

// The help window, "Orbelune Help": the built-in pages in a browser with a contents list, back and
// forward, and a search over every section. A top-level window of its own, so that it stays
// usable while a dialog of the program is open.
#pragma once

#include <QWidget>
#include <string_view>
#include <vector>

#include "ui/help/help_search.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace orb {

inline constexpr const char* kHelpWindowTitle = "Orbelune Help";

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows "page.html#anchor" (relative to the help's root); false when there is no such page.
    bool ShowPage(const QString& pageAndAnchor);
    // The topic of a key (a setting's value name, a window or page name); the contents when the
    // key is unknown. False when it fell back.
    bool ShowTopic(std::string_view key);
    void ShowContents();
    // The search tab with the cursor in its box.
    void ShowSearch();
    // Lists the sections that hold every word of `text`; the number found.
    int Search(const QString& text);

    QTextBrowser* Browser() const { return browser_; }
    QLineEdit* SearchBox() const { return searchBox_; }
    QListWidget* Results() const { return results_; }
    QListWidget* ContentsList() const { return contents_; }
    // The page and anchor shown now ("galaxy.html#Galaxy_Radius").
    QString Current() const;

  private:
    void BuildIndex();
    void Present();

    QTextBrowser* browser_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QListWidget* results_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    std::vector<HelpSection> sections_; // every section of every page, once searched
};

} // namespace orb

// The help window and F1 on the offscreen platform.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/gui/gui_fixture.h"
#include "ui/help/help_topics.h"
#include "ui/help/qt/help_service.h"
#include "ui/help/qt/help_window.h"

namespace orb::test {
namespace {

TEST_F(GuiTest, F1InAFieldOpensItsTopicAndIsSwallowed) {
    HelpService help;
    int style = 0;
    help.WatchF1([&style] { return style; });
    QWidget window;
    window.setObjectName("frmProps");
    auto* layout = new QVBoxLayout(&window);
    auto* radials = new QLineEdit(&window);
    radials->setObjectName("txtGalaxy3");
    auto* marked = new QLineEdit(&window);
    SetHelpTopic(marked, "Universe_Tour");
    auto* plain = new QLineEdit(&window);
    for (QWidget* w : std::initializer_list<QWidget*>{radials, marked, plain})
        layout->addWidget(w);
    window.show();
    // Each topic differs from the window's: an F1 let through to the window would show that one.
    const std::tuple<QLineEdit*, int, std::string> cases[] = {
        {radials, 4, "galaxy.html#Galaxy_CP_Points"}, // the editor's style decides: a Nebula's control points
        {marked, 0, "universe.html#Universe_Tour"},
        {plain, 0, "properties.html#frmProps"}, // no topic of its own: the window's
    };
    for (const auto& [field, fieldStyle, shown] : cases) {
        style = fieldStyle;
        QTest::keyClick(field, Qt::Key_F1);
        ASSERT_TRUE(help.IsOpen());
        EXPECT_EQ(help.Window()->Current().toStdString(), shown);
    }
    EXPECT_EQ(help.Window()->windowTitle(), "Orbelune Help");
    help.Close();
    EXPECT_FALSE(help.IsOpen());
}

TEST_F(GuiTest, HelpSearchFindsTheFocalLengthAndEveryTopicOpensAPage) {
    HelpWindow w;
    w.show();
    w.ShowContents();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // Alt+S chooses the search tab with the cursor in its box; the words typed go there.
    QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(w.SearchBox()->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "focal");
    EXPECT_EQ(w.SearchBox()->text(), "focal");
    QTest::keyClick(w.SearchBox(), Qt::Key_Return);
    ASSERT_GT(w.Results()->count(), 0);
    EXPECT_EQ(w.Results()->item(0)->data(Qt::UserRole).toString(), "advanced.html#FocalLength");
    EXPECT_EQ(w.Current(), "advanced.html#FocalLength");
    EXPECT_TRUE(w.Browser()->toPlainText().contains("Focal Length Distance (0.01 - 10.0):"));
    for (const HelpTopic& t : HelpTopics()) {
        ASSERT_TRUE(w.ShowTopic(t.key)) << t.key;
        EXPECT_FALSE(w.Browser()->toPlainText().isEmpty()) << t.key;
    }
    EXPECT_FALSE(w.ShowTopic("no-such-topic"));
}

} // namespace
} // namespace orb::test

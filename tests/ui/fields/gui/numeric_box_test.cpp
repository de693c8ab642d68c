// The number box as a user meets it; the rules themselves are tested window-free.
#include "ui/fields/qt/numeric_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace orb {
namespace {

const FieldSpec kStars{FieldKind::Long, KeyFilter::Digits, 10, 30000, true, 10, 5};
const FieldSpec kPersist{FieldKind::Real, KeyFilter::Decimal, 0.25, 1.0, true, 0, 0};
const FieldSpec kCometPersist{FieldKind::Real, KeyFilter::Decimal, 0.1, 0.9999, true, 0, 0};

// A window with two boxes, so that the focus can move from one to the other.
struct Window {
    QWidget top;
    NumericBox* box;
    NumericBox* other;
    explicit Window(const FieldSpec& fieldSpec) {
        auto* layout = new QVBoxLayout(&top);
        box = new NumericBox(fieldSpec, &top);
        other = new NumericBox(kStars, &top);
        layout->addWidget(box);
        layout->addWidget(other);
        top.show();
        top.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&top));
    }
};

// The box hands the filters the text, selection and limit it really has, typed or pasted (what the
// filters make of them is their own test).
TEST(NumericBox, TypedAndPastedKeysPassTheBoxsFilter) {
    // what, field rule, text before, all of it selected (else the caret at the end), keys, pasted, text after
    const std::tuple<const char*, FieldSpec, const char*, bool, const char*, bool, const char*> cases[] = {
        {"digits refuse a point and letters", kStars, "", false, "12.5x", false, "125"},
        {"a point replacing the selected one is taken", kPersist, "0.9", true, ".5", false, ".5"},
        {"pasted text is filtered", kStars, "", false, "1a2.3-4", true, "1234"},
        {"a paste is cut to the limit", kStars, "12", true, "999999", true, "99999"},
    };
    for (const auto& [name, fieldSpec, before, selectAll, typed, paste, after] : cases) {
        Window w(fieldSpec);
        w.box->SetText(QString::fromUtf8(before));
        w.box->Edit()->setFocus();
        if (selectAll)
            w.box->Edit()->selectAll();
        else
            w.box->Edit()->end(false);
        if (paste) {
            QGuiApplication::clipboard()->setText(typed);
            QTest::keySequence(w.box->Edit(), QKeySequence::Paste);
        } else {
            QTest::keyClicks(w.box->Edit(), QString::fromUtf8(typed));
        }
        EXPECT_EQ(w.box->Text().toStdString(), after) << name;
    }
}

TEST(NumericBox, ArrowKeysStepAndLeavingClamps) {
    const std::tuple<FieldSpec, const char*, Qt::Key, const char*> cases[] = {
        // Tab: leave the box
        {kStars, "29995", Qt::Key_Up, "30000"},
        {kPersist, "0.5", Qt::Key_Up, "0.5"}, // no step: the box ignores the arrows
        {kCometPersist, "1.5", Qt::Key_Tab, "0.9999"},
    };
    for (const auto& [fieldSpec, before, key, after] : cases) {
        Window w(fieldSpec);
        w.box->SetText(before);
        w.box->Edit()->setFocus();
        if (key == Qt::Key_Tab)
            w.other->Edit()->setFocus();
        else
            QTest::keyClick(w.box->Edit(), key);
        EXPECT_EQ(w.box->Text().toStdString(), after) << before;
    }
}

TEST(NumericBox, TheSpinnerAndTheBoxFollowEachOtherAndProgramValuesAreClamped) {
    Window w(kStars);
    Spinner* s = w.box->SpinnerControl();
    ASSERT_NE(s, nullptr);
    w.box->SetText("4000");
    s->StepBy(1);
    EXPECT_EQ(w.box->Text(), "4050");
    w.box->SetText("29990");
    s->StepBy(1);
    EXPECT_EQ(w.box->Text(), "30000") << "never past the top end";
    w.box->SetText("123");
    EXPECT_EQ(s->Value(), 123);
    w.box->SetText("99999");
    EXPECT_EQ(s->Value(), 123) << "a number outside the ends leaves the spinner";
    EXPECT_EQ(Window(kPersist).box->SpinnerControl(), nullptr);
    w.box->SetClampedText("123456"); // a program value too long for the box
    EXPECT_EQ(w.box->Text(), "30000");
    EXPECT_EQ(w.box->Edit()->maxLength(), 5);
}

} // namespace
} // namespace orb

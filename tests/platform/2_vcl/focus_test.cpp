// Focus moves: the order of Exit and Enter, the active control an Exit handler sees,
// handlers that move the focus again, and controls that cannot take it.
#include "platform/2_vcl/application.h"
#include "platform/2_vcl/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vcl;

namespace {

class FocusForm : public TForm {
public:
    FocusForm() : TForm(nullptr) {
        SetName("frmFocus");
        a = Box(this, "edtA");
        b = Box(this, "edtB");
        group = Box(this, "grpRango");
        group->SetTabStop(false);
        c = Box(group, "edtC");
        d = Box(group, "edtD");
    }
    TWinControl* Box(TWinControl* parent, const char* name) {
        auto* w = NewControl<TWinControl>(parent, name);
        w->SetTabStop(true);
        w->OnEnter = [this](TObject* s) { log.push_back("enter " + Name(s)); };
        w->OnExit = [this](TObject* s) {
            log.push_back("exit " + Name(s) + " (active " + Name(ActiveControl()) + ")");
        };
        return w;
    }
    static std::string Name(TObject* o) {
        auto* c = dynamic_cast<TComponent*>(o);
        return c ? c->Name() : "-";
    }
    TWinControl *a, *b, *group, *c, *d;
    std::vector<std::string> log;
};

}  // namespace

TEST(Focus, ExitSeesTheTargetAsActiveControlThenEnterRuns) {
    FocusForm f;
    f.Show();
    EXPECT_EQ(f.log, (std::vector<std::string>{"enter edtA"})) << "showing enters the first tab stop";
    f.log.clear();
    f.b->SetFocus();
    EXPECT_EQ(f.log, (std::vector<std::string>{"exit edtA (active edtB)", "enter edtB"}));
    EXPECT_EQ(f.ActiveControl(), f.b);
    EXPECT_TRUE(f.b->Focused());
}

TEST(Focus, ContainersAreExitedAndEnteredAroundTheirChildren) {
    FocusForm f;
    f.Show();
    f.log.clear();
    f.d->SetFocus();
    f.c->SetFocus();
    f.b->SetFocus();
    EXPECT_EQ(f.log, (std::vector<std::string>{
                         "exit edtA (active edtD)", "enter grpRango", "enter edtD",
                         "exit edtD (active edtC)", "enter edtC",
                         "exit edtC (active edtB)", "exit grpRango (active edtB)", "enter edtB"}));
}

TEST(Focus, AnExitHandlerThatPutsTheFocusBackWins) {
    FocusForm f;
    f.Show();
    // As a date edit that rejects its text keeps the focus.
    f.a->OnExit = [&](TObject*) {
        f.log.push_back("exit edtA (active " + FocusForm::Name(f.ActiveControl()) + ")");
        f.a->SetFocus();
    };
    f.log.clear();
    f.b->SetFocus();
    EXPECT_EQ(f.log, (std::vector<std::string>{"exit edtA (active edtB)"})) << "no Enter anywhere";
    EXPECT_EQ(f.ActiveControl(), f.a);
    EXPECT_TRUE(f.a->Focused());
    f.log.clear();
    f.a->OnExit = nullptr;
    f.b->SetFocus();
    EXPECT_EQ(f.log, (std::vector<std::string>{"enter edtB"}));
}

TEST(Focus, AnExitHandlerThatSendsTheFocusElsewhereExitsOnce) {
    FocusForm f;
    f.Show();
    f.a->OnExit = [&](TObject*) {
        f.log.push_back("exit edtA");
        f.d->SetFocus();
    };
    f.log.clear();
    f.b->SetFocus();
    EXPECT_EQ(f.log, (std::vector<std::string>{"exit edtA", "enter grpRango", "enter edtD"}));
    EXPECT_EQ(f.ActiveControl(), f.d);
}

TEST(Focus, EnterHandlersThatChaseEachOtherEndWithAClearError) {
    FocusForm f;
    f.Show();
    f.b->OnEnter = [&](TObject*) { f.a->SetFocus(); };
    f.a->OnEnter = [&](TObject*) { f.b->SetFocus(); };
    EXPECT_THROW(f.b->SetFocus(), EInvalidOperation);
}

TEST(Focus, OnlyReachableControlsTakeTheFocus) {
    FocusForm f;
    f.Show();
    f.b->SetEnabled(false);
    EXPECT_FALSE(f.b->CanFocus());
    EXPECT_THROW(f.b->SetFocus(), EInvalidOperation);
    f.group->SetVisible(false);
    EXPECT_FALSE(f.c->CanFocus()) << "a hidden parent hides its children";
    f.group->SetVisible(true);
    EXPECT_TRUE(f.c->CanFocus());
}

TEST(Focus, DisablingTheTargetDuringExitLeavesTheFocusWithTheForm) {
    FocusForm f;
    f.Show();
    // As the store combo disabling the product edits when the store has no stock.
    f.a->OnExit = [&](TObject*) { f.b->SetEnabled(false); };
    f.log.clear();
    f.b->SetFocus();
    EXPECT_EQ(f.ActiveControl(), nullptr);
    EXPECT_EQ(f.FocusedControl(), nullptr);
    EXPECT_TRUE(f.log.empty());
}

TEST(Focus, DisablingTheFocusedControlExitsIt) {
    FocusForm f;
    f.Show();
    f.log.clear();
    f.a->SetEnabled(false);
    EXPECT_EQ(f.log, (std::vector<std::string>{"exit edtA (active -)"}));
    EXPECT_EQ(f.ActiveControl(), nullptr);
}

TEST(Focus, TabWalksTheTabOrderSkippingWhatCannotBeFocused) {
    FocusForm f;
    f.b->SetTabOrder(0);  // b first, then a, then the group's c and d
    f.c->SetEnabled(false);
    f.Show();
    std::vector<std::string> visited;
    for (int i = 0; i < 4; ++i) {
        if (i) f.PressKey(VK_TAB);
        visited.push_back(f.ActiveControl()->Name());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"edtB", "edtA", "edtD", "edtB"}));
    f.PressKey(VK_TAB, ssShift);
    EXPECT_EQ(f.ActiveControl(), f.d);
}

TEST(Focus, OnAHiddenFormSetFocusOnlyChoosesTheControlToEnterOnShow) {
    FocusForm f;
    f.d->SetFocus();
    EXPECT_TRUE(f.log.empty());
    EXPECT_EQ(f.ActiveControl(), f.d);
    f.Show();
    EXPECT_EQ(f.log, (std::vector<std::string>{"enter grpRango", "enter edtD"}));
}

TEST(Focus, DestroyingTheFocusedControlLeavesNoDanglingActiveControl) {
    FocusForm f;
    f.Show();
    f.b->SetFocus();
    delete f.b;
    EXPECT_EQ(f.ActiveControl(), nullptr);
    EXPECT_EQ(f.FocusedControl(), nullptr);
    f.PressKey(VK_TAB);
    EXPECT_EQ(f.ActiveControl(), f.a);
}

// Ownership, names and free notification of components.
#include "platform/2_vcl/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vcl;

namespace {

// Records its destruction and the removals it is told about.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name, std::vector<std::string>* log)
        : TComponent(owner), log_(log) {
        SetName(name);
    }
    ~Probe() override {
        if (log_) log_->push_back("~" + Name());
    }
    TComponent* watched = nullptr;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == watched) {
            watched = nullptr;
            if (log_) log_->push_back(Name() + " lost " + c->Name());
        }
    }

private:
    std::vector<std::string>* log_;
};

}  // namespace

TEST(Component, OwnerDestroysOwnedLastCreatedFirst) {
    std::vector<std::string> log;
    auto* owner = new Probe(nullptr, "owner", &log);
    new Probe(owner, "a", &log);
    auto* b = new Probe(owner, "b", &log);
    new Probe(b, "b1", &log);
    new Probe(owner, "c", &log);
    owner->Free();
    EXPECT_EQ(log, (std::vector<std::string>{"~c", "~b1", "~b", "~a", "~owner"}));
}

TEST(Component, DeletingAChildTakesItOutOfItsOwner) {
    Probe owner(nullptr, "owner", nullptr);
    auto* a = new Probe(&owner, "a", nullptr);
    new Probe(&owner, "b", nullptr);
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0)->Name(), "b");
    EXPECT_EQ(owner.FindComponent("a"), nullptr);
}

TEST(Component, FreeNotificationAcrossOwners) {
    std::vector<std::string> log;
    Probe formA(nullptr, "formA", &log);
    Probe formB(nullptr, "formB", &log);
    auto* source = new Probe(&formA, "source", &log);
    auto* user = new Probe(&formB, "user", &log);
    user->watched = source;
    source->FreeNotification(user);
    source->Free();  // told while the source is still whole
    EXPECT_EQ(user->watched, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"user lost source", "~source"}));
}

TEST(Component, FreeNotificationForgetsAWatcherDestroyedFirst) {
    Probe source(nullptr, "source", nullptr);
    auto* user = new Probe(nullptr, "user", nullptr);
    user->watched = &source;
    source.FreeNotification(user);
    delete user;  // source must not call into it later
    std::vector<std::string> log;
    auto* second = new Probe(nullptr, "second", &log);
    second->watched = &source;
    source.FreeNotification(second);
    source.RemoveFreeNotification(second);
    delete second;
    EXPECT_EQ(log, (std::vector<std::string>{"~second"}));
}

TEST(Component, SiblingsAreToldWhenOneIsDeletedAndOnlyOnce) {
    std::vector<std::string> log;
    Probe owner(nullptr, "owner", nullptr);
    auto* source = new Probe(&owner, "source", nullptr);
    auto* user = new Probe(&owner, "user", &log);
    user->watched = source;
    source->FreeNotification(user);  // same owner: told once all the same
    delete source;
    EXPECT_EQ(log, (std::vector<std::string>{"user lost source"}));
}

TEST(Component, FindComponentIgnoresCase) {
    Probe owner(nullptr, "frmCatTie", nullptr);
    auto* edt = new Probe(&owner, "edtFecDesde", nullptr);
    struct Case { const char* name; bool found; };
    constexpr Case kCases[] = {
        {"edtFecDesde", true}, {"EDTFECDESDE", true}, {"edtfecdesde", true},
        {"edtFecDesd", false}, {"edtFecDesdeX", false}, {"", false},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(owner.FindComponent(c.name), c.found ? edt : nullptr) << c.name;
}

TEST(Component, SameNameFoldsSpanishCapitals) {
    struct Case { const char* a; const char* b; bool same; };
    constexpr Case kCases[] = {
        {"AÑO", "año", true},      {"CAMIÓN", "camión", true}, {"año", "ano", false},
        {"Ü", "ü", true},          {"ab", "abc", false},       {"", "", true},
    };
    for (const auto& c : kCases) EXPECT_EQ(SameName(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(Component, NamesAreIdentifiersAndUniqueInTheirOwner) {
    Probe owner(nullptr, "owner", nullptr);
    auto* a = new Probe(&owner, "btnPreview", nullptr);
    auto* b = new Probe(&owner, "btnImprimir", nullptr);
    EXPECT_THROW(b->SetName("BTNPREVIEW"), EComponentError);
    EXPECT_THROW(b->SetName("1boton"), EComponentError);
    EXPECT_THROW(b->SetName("btn Preview"), EComponentError);
    EXPECT_EQ(b->Name(), "btnImprimir");
    a->SetName("BTNPREVIEW");  // renaming itself, only the case changes
    EXPECT_EQ(owner.FindComponent("btnpreview"), a);
}

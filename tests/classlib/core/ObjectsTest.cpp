#include "classlib/core/Objects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/SysUtils.h"

namespace {

using TLog = std::vector<std::string>;

// A component that logs its death, counts removal notices and clears its reference to a component that dies.
struct TProbe : TComponent {
    TProbe(TComponent* owner, const std::string& name, TLog* log = nullptr) : TComponent(owner), Log(log)
    {
        SetName(name);
    }
    ~TProbe() override
    {
        if (Log)
            Log->push_back(Name() + (HasState(csDestroying) ? " destroying" : ""));
    }
    void Notification(TComponent* component, TOperation operation) override
    {
        Removes += operation == opRemove;
        if (operation == opRemove && component == Ref)
            Ref = nullptr;
        TComponent::Notification(component, operation);
    }
    TLog* Log;
    TComponent* Ref = nullptr;
    int Removes = 0;
};

// Owners free what they own, last inserted first and marked as destroying; whoever dies first tells those holding
// a reference to it: siblings through their owner, partners across owners through free notification, both ways.
// A dead partner is never told anything (ASan would see it).
TEST(Component, OwnersFreeWhatTheyOwnAndReferencesAreClearedWhenTheirTargetDies)
{
    TLog log;
    auto* root = new TProbe(nullptr, "Root", &log);
    new TProbe(new TProbe(root, "A", &log), "A1", &log);
    auto* b = new TProbe(root, "B", &log);
    b->Ref = new TProbe(root, "Gone");
    delete b->Ref;
    EXPECT_EQ(b->Ref, nullptr);
    EXPECT_EQ(root->FindComponent("b"), b);
    EXPECT_THROW(b->SetName("a"), EComponentError);  // names are unique under the owner, ignoring case
    auto* survivor = new TProbe(nullptr, "Survivor");
    b->FreeNotification(survivor);
    auto* target = new TProbe(nullptr, "Target");
    b->Ref = target;
    b->FreeNotification(target);
    b->FreeNotification(target);  // linking twice notifies once
    const int removes = b->Removes;
    delete target;
    EXPECT_EQ(b->Ref, nullptr);
    EXPECT_EQ(b->Removes, removes + 1);
    delete root;
    EXPECT_EQ(survivor->Removes, 1);  // told of B's death, so it never tells dead B of its own
    delete survivor;
    EXPECT_EQ(log, (TLog{"Root", "B destroying", "A destroying", "A1 destroying"}));
}

} // namespace

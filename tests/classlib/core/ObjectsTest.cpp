#include "classlib/core/Objects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/SysUtils.h"

namespace {

// A component that records what it is told and where it dies, and may hold a reference to another component.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::string name, std::vector<std::string>* log = nullptr)
        : TComponent(owner), log_(log)
    {
        SetName(name);
    }
    ~TProbe() override
    {
        if (log_)
            log_->push_back("free " + Name());
    }

    TComponent* Ref = nullptr;
    int Inserts = 0;
    int Removes = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == opRemove && component == Ref)
            Ref = nullptr;
        (operation == opInsert ? Inserts : Removes)++;
        TComponent::Notification(component, operation);
    }

private:
    std::vector<std::string>* log_;
};

TEST(Component, OwnerFreesOwnedInReverseOrderOfInsertion)
{
    std::vector<std::string> log;
    auto* root = new TProbe(nullptr, "Root", &log);
    auto* a = new TProbe(root, "A", &log);
    new TProbe(a, "A1", &log);
    new TProbe(root, "B", &log);
    new TProbe(root, "C", &log);
    delete root;
    // A derived destructor body runs before the base frees what the component owns.
    EXPECT_EQ(log, (std::vector<std::string>{"free Root", "free C", "free B", "free A", "free A1"}));
}

TEST(Component, FreeingAnOwnedComponentLeavesItsOwnersList)
{
    TProbe root(nullptr, "Root");
    auto* a = new TProbe(&root, "A");
    auto* b = new TProbe(&root, "B");
    EXPECT_EQ(root.ComponentCount(), 2);
    EXPECT_EQ(b->ComponentIndex(), 1);
    delete a;
    ASSERT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
    EXPECT_THROW(root.Components(1), EListError);
    EXPECT_THROW(root.Components(-1), EListError);
    EXPECT_EQ(TProbe(nullptr, "Free").ComponentIndex(), -1);
}

TEST(Component, FindComponentIgnoresCaseAndEmptyNames)
{
    TProbe root(nullptr, "Root");
    auto* edit = new TProbe(&root, "edtName");
    new TProbe(&root, "");
    new TProbe(&root, "");  // several unnamed components are fine
    const struct {
        const char* name;
        TComponent* expected;
    } rows[] = {{"edtName", edit}, {"EDTNAME", edit}, {"edtNam", nullptr}, {"", nullptr}, {"Root", nullptr}};
    for (const auto& r : rows)
        EXPECT_EQ(root.FindComponent(r.name), r.expected) << r.name;
}

TEST(Component, NamesMustBeIdentifiersUniqueUnderTheOwner)
{
    TProbe root(nullptr, "Root");
    auto* a = new TProbe(&root, "Button1");
    auto* b = new TProbe(&root, "Button2");
    const struct {
        const char* name;
        const char* error;  // null when accepted
    } rows[] = {
        {"BUTTON1", "A component named BUTTON1 already exists"},
        {"1abc", "'1abc' is not a valid component name"},
        {"a b", "'a b' is not a valid component name"},
        {"_x9", nullptr},
        {"Button2", nullptr},  // its own name again
        {"", nullptr},
    };
    for (const auto& r : rows) {
        const std::string before = b->Name();
        try {
            b->SetName(r.name);
            EXPECT_EQ(r.error, nullptr) << r.name;
            EXPECT_EQ(b->Name(), r.name);
        } catch (const EComponentError& e) {
            ASSERT_NE(r.error, nullptr) << r.name;
            EXPECT_EQ(e.Message, r.error);
            EXPECT_EQ(b->Name(), before);
        }
    }
    TProbe other(nullptr, "Button1");
    EXPECT_THROW(root.InsertComponent(&other), EComponentError);
    EXPECT_EQ(other.Owner(), nullptr);
    EXPECT_EQ(a->Owner(), &root);
}

TEST(Component, InsertAndRemoveMoveOwnershipAndNotify)
{
    TProbe first(nullptr, "First");
    TProbe second(nullptr, "Second");
    auto* c = new TProbe(&first, "C");
    EXPECT_EQ(first.Inserts, 1);

    second.InsertComponent(c);
    EXPECT_EQ(c->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(first.Removes, 1);
    EXPECT_EQ(second.Inserts, 1);

    second.RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    EXPECT_EQ(second.Removes, 1);
    delete c;  // the caller owns it now; nobody is told twice
    EXPECT_EQ(second.Removes, 1);
}

TEST(Component, SiblingsHearOfEachOthersDeathThroughTheOwner)
{
    TProbe form(nullptr, "Form");
    auto* label = new TProbe(&form, "Label");
    auto* edit = new TProbe(&form, "Edit");
    label->Ref = edit;  // e.g. a label's FocusControl
    delete edit;
    EXPECT_EQ(label->Ref, nullptr);
}

TEST(Component, FreeNotificationWorksBothWaysAcrossOwners)
{
    const struct {
        bool freeTarget;  // otherwise the watcher dies first
    } rows[] = {{true}, {false}};
    {
        TProbe watcher(nullptr, "Watcher");
        auto* target = new TProbe(nullptr, "Target");
        watcher.FreeNotification(target);
        watcher.RemoveFreeNotification(target);
        delete target;
        EXPECT_EQ(watcher.Removes, 0);  // unlinked: silent
    }
    for (const auto& r : rows) {
        auto* watcher = new TProbe(nullptr, "Watcher");
        auto* target = new TProbe(nullptr, "Target");
        watcher->Ref = target;
        watcher->FreeNotification(target);
        watcher->FreeNotification(target);  // linking twice notifies once
        if (r.freeTarget) {
            delete target;
            EXPECT_EQ(watcher->Ref, nullptr);
            EXPECT_EQ(watcher->Removes, 1);
            delete watcher;
        } else {
            delete watcher;  // the target must not notify a dead watcher later (ASan would catch it)
            EXPECT_EQ(target->Removes, 1);
            delete target;
        }
    }
}

TEST(Component, StateFlagsFollowLoadingAndDestruction)
{
    struct TWatch : TComponent {
        using TComponent::TComponent;
        ~TWatch() override { *seen = ComponentState(); }
        TComponentState* seen = nullptr;
    };
    TComponentState childState = 0;
    auto* root = new TComponent(nullptr);
    auto* child = new TWatch(root);
    child->seen = &childState;

    child->BeginLoading();
    EXPECT_TRUE(child->HasState(csLoading));
    EXPECT_TRUE(child->HasState(csReading));
    child->EndReading();
    EXPECT_EQ(child->ComponentState(), TComponentState{csLoading});
    child->Loaded();
    EXPECT_EQ(child->ComponentState(), 0u);

    delete root;
    EXPECT_EQ(childState, TComponentState{csDestroying});
}

TEST(Persistent, AssignWithoutSupportNamesBothClasses)
{
    class TFont : public TPersistent {};
    struct TPen : TPersistent {
        int Width = 1;
        void Assign(const TPersistent* source) override
        {
            if (auto* pen = dynamic_cast<const TPen*>(source)) {
                Width = pen->Width;
                return;
            }
            TPersistent::Assign(source);
        }
    };
    TPen a, b;
    b.Width = 5;
    a.Assign(&b);
    EXPECT_EQ(a.Width, 5);

    TFont font;
    try {
        a.Assign(&font);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_NE(e.Message.find("Cannot assign a "), std::string::npos);
        EXPECT_NE(e.Message.find("TFont to a "), std::string::npos) << e.Message;
        EXPECT_NE(e.Message.find("TPen"), std::string::npos) << e.Message;
    }
    EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

TEST(Event, UnsetIsANoOpAndBindCallsTheMember)
{
    struct TForm : TObject {
        void Click(TObject* sender) { last = sender; ++count; }
        TObject* last = nullptr;
        int count = 0;
    };
    TForm form;
    TNotifyEvent e;
    EXPECT_FALSE(e.Assigned());
    e(&form);  // nothing happens

    e = TNotifyEvent::Bind(&form, &TForm::Click);
    TNotifyEvent copy = e;
    TNotifyEvent unset;
    TNotifyEvent copyOfUnset = unset;
    EXPECT_TRUE(copy.Assigned());
    EXPECT_FALSE(copyOfUnset.Assigned());
    copy(&form);
    EXPECT_EQ(form.count, 1);
    EXPECT_EQ(form.last, &form);

    e = nullptr;
    EXPECT_FALSE(e);
}

} // namespace

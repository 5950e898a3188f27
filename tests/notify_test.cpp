// Notifications: what the window stamps on them, the order in which the sender's own
// callbacks and the window's notifiers receive them, and the ones the base control sends.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <headless.h>
#include <vonk-ui.h>

#include "test_support.h"
#include "user_actions.h"

namespace {

using Lines = std::vector<std::string>;

// Who received which notification, in order.
Lines& Deliveries()
{
    static Lines deliveries;
    return deliveries;
}

std::string Code(const TNotifyUI& msg) { return std::to_string(msg.Type - 0x40000000); }

bool SenderCallbackRefusing(void* param)
{
    Deliveries().push_back("sender " + Code(*static_cast<TNotifyUI*>(param)));
    return false;
}

bool SecondSenderCallback(void*)
{
    Deliveries().push_back("second sender callback");
    return true;
}

class Notifier : public INotifyUI {
public:
    explicit Notifier(std::string name) : m_name(std::move(name)) {}
    void Notify(TNotifyUI& msg) override
    {
        Deliveries().push_back(m_name + " " + Code(msg) + (msg.pSender ? "" : " without sender"));
        last = msg;
        if (onNotify)
            onNotify(msg);
    }
    TNotifyUI last{};
    void (*onNotify)(TNotifyUI&) = nullptr;

private:
    std::string m_name;
};

class NotifyTest : public vonktest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        control.SetName(L"control");
        window->AttachDlg(&control);
        vonktest::Paint(handler);
        window->AddNotifier(&first);
        window->AddNotifier(&second);
        Deliveries().clear();
    }

    CUIControl control;
    Notifier first{"first"}, second{"second"};
};

TEST_F(NotifyTest, TheSendersCallbacksComeFirstAndCannotStopTheNotifiers)
{
    control.NotifyEvent += SenderCallbackRefusing;
    control.NotifyEvent += SecondSenderCallback;
    window->SendNotify(&control, NOTIFY_CLICK, 7, 8, false);
    // The refusing callback ends the sender's own list, not the delivery.
    EXPECT_EQ(Deliveries(), (Lines{"sender 3", "first 3", "second 3"}));
    EXPECT_EQ(first.last.pSender, &control);
    EXPECT_EQ(first.last.wParam, 7u);
    EXPECT_EQ(first.last.lParam, 8u);
}

TEST_F(NotifyTest, TheRecordIsStampedWithTheLastPointerAndTheTickCount)
{
    // Before any pointer input the position is (0, 0).
    TNotifyUI early{};
    early.Type = NOTIFY_CLICK;
    early.ptMouse = {-5, -5};
    window->SendNotify(early, false);
    EXPECT_EQ(early.ptMouse.x, 0);
    EXPECT_EQ(early.ptMouse.y, 0);

    vonktest::MoveTo(handler, 40, 30);
    const uint64_t before = UIGetTickCount();
    TNotifyUI msg{};
    msg.Type = NOTIFY_CLICK;
    msg.pSender = &control;
    window->SendNotify(msg, false);
    const uint64_t after = UIGetTickCount();
    // The caller's own record is the one stamped.
    EXPECT_EQ(msg.ptMouse.x, 40);
    EXPECT_EQ(msg.ptMouse.y, 30);
    EXPECT_GE(msg.dwTimestamp, before);
    EXPECT_LE(msg.dwTimestamp, after);
}

TEST_F(NotifyTest, AnAsynchronousNotificationIsStampedButNotDelivered)
{
    control.NotifyEvent += SenderCallbackRefusing;
    vonktest::MoveTo(handler, 12, 13);
    Deliveries().clear();
    TNotifyUI msg{};
    msg.Type = NOTIFY_CLICK;
    msg.pSender = &control;
    window->SendNotify(msg, true);
    window->SendNotify(&control, NOTIFY_CLICK, 0, 0, true);
    EXPECT_TRUE(Deliveries().empty());
    EXPECT_EQ(msg.ptMouse.x, 12);
    EXPECT_NE(msg.dwTimestamp, 0u);
}

TEST_F(NotifyTest, ANotificationWithoutASenderStillReachesTheNotifiers)
{
    window->SendNotify(nullptr, NOTIFY_SCROLL, 0, 0, false);
    EXPECT_EQ(Deliveries(), (Lines{"first 5 without sender", "second 5 without sender"}));
}

Notifier g_late{"late"};
CUIWindow* g_window = nullptr;

TEST_F(NotifyTest, NotifiersChangedDuringDeliveryAreWalkedByIndex)
{
    Notifier third{"third"};
    window->AddNotifier(&third);
    g_window = window.get();

    // One added during the delivery is reached.
    first.onNotify = [](TNotifyUI&) { g_window->AddNotifier(&g_late); };
    window->SendNotify(&control, NOTIFY_CLICK, 0, 0, false);
    EXPECT_EQ(Deliveries(), (Lines{"first 3", "second 3", "third 3", "late 3"}));

    // One that removes itself makes the next one be skipped.
    struct SelfRemoving : INotifyUI {
        void Notify(TNotifyUI&) override
        {
            Deliveries().push_back("self-removing");
            g_window->RemoveNotifier(this);
        }
    } selfRemoving;
    for (INotifyUI* notifier : {static_cast<INotifyUI*>(&first), static_cast<INotifyUI*>(&second),
                                static_cast<INotifyUI*>(&third), static_cast<INotifyUI*>(&g_late)})
        window->RemoveNotifier(notifier);
    window->AddNotifier(&selfRemoving);
    window->AddNotifier(&second);
    window->AddNotifier(&third);
    Deliveries().clear();
    window->SendNotify(&control, NOTIFY_CLICK, 0, 0, false);
    EXPECT_EQ(Deliveries(), (Lines{"self-removing", "third 3"}));
}

CUIControl* g_doomed = nullptr;

TEST_F(NotifyTest, ASenderDeletedByItsOwnCallbackLeavesTheRecordWithoutSender)
{
    g_doomed = new CUIControl;
    control.Add(g_doomed);
    g_doomed->NotifyEvent += [](void*) {
        delete g_doomed;
        return true;
    };
    window->SendNotify(g_doomed, NOTIFY_CLICK, 0, 0, false);
    EXPECT_EQ(Deliveries(), (Lines{"first 3 without sender", "second 3 without sender"}));
}

TEST_F(NotifyTest, PointerAndTimerEventsBecomeTheBaseControlsNotifications)
{
    vonktest::MoveTo(handler, 10, 10);
    vonktest::MoveTo(handler, 250, 10);  // over nothing: no leave
    const int id = window->SetTimer(&control, 30);
    headless::AdvanceClock(30);
    EXPECT_EQ(Deliveries(), (Lines{"first 15", "second 15", "first 2", "second 2"}));
    EXPECT_EQ(second.last.wParam, static_cast<uint64_t>(id));
    EXPECT_EQ(second.last.pSender, &control);
    EXPECT_EQ(second.last.ptMouse.x, 250);

    // A second control under the pointer: the first one leaves.
    CUIControl child;
    child.SetFixedWidth(20);
    child.SetFixedHeight(20);
    child.SetName(L"child");
    control.Add(&child);
    vonktest::Paint(handler);
    Deliveries().clear();
    vonktest::MoveTo(handler, 5, 5);
    EXPECT_EQ(Deliveries(), (Lines{"first 16", "second 16", "first 15", "second 15"}));
    EXPECT_EQ(second.last.pSender, &child);
    window->KillTimer(&control);
}

}  // namespace

#include "TestSupport.h"

#include "core/AttackEvent.h"
#include "core/EventSystem.h"
#include "core/MoveEvent.h"
#include "core/SoundEvent.h"

#include <gtest/gtest.h>
#include <memory>

using Log = std::vector<std::string>;

TEST(EventSystem, FiringATypeWithoutListenersCallsNothing) {
    EventSystem events;
    Log log;
    RecordingListener a("a", &log);
    events.addListener(QUIT_EVENT, &a);
    events.fireEvent(Event(SAVE_EVENT));
    EXPECT_TRUE(log.empty());
}

TEST(EventSystem, DeliversInRegistrationOrderAndTwiceWhenRegisteredTwice) {
    EventSystem events;
    Log log;
    RecordingListener a("a", &log), b("b", &log);
    events.addListener(TICK_EVENT, &b);
    events.addListener(TICK_EVENT, &a);
    events.addListener(TICK_EVENT, &b);
    events.addListener(QUIT_EVENT, &a);
    events.fireEvent(Event(TICK_EVENT));
    EXPECT_EQ(log, (Log{"b:11", "a:11", "b:11"}));
}

TEST(EventSystem, RemovingAListenerDropsAllItsTypesAndKeepsTheOthersInOrder) {
    EventSystem events;
    Log log;
    RecordingListener a("a", &log), b("b", &log), c("c", &log);
    events.addListener(TICK_EVENT, &a);
    events.addListener(TICK_EVENT, &b);
    events.addListener(QUIT_EVENT, &b);
    events.addListener(TICK_EVENT, &c);
    events.removeListener(&b);
    events.removeListener(&b); // a second time does nothing
    events.fireEvent(Event(TICK_EVENT));
    events.fireEvent(Event(QUIT_EVENT));
    EXPECT_EQ(log, (Log{"a:11", "c:11"}));
}

TEST(EventSystem, NestedDeliveryCompletesBeforeTheOuterHandlerGoesOn) {
    EventSystem events;
    Log log;
    RecordingListener outer("outer", &log), sound("sound", &log), late("late", &log);
    outer.onEvent = [&] {
        events.fireEvent(SoundEvent(3, 1.0f, 0.5f, false));
        log.push_back("outer done");
    };
    events.addListener(PLAYER_ATTACK_EVENT, &outer);
    events.addListener(PLAYER_ATTACK_EVENT, &late);
    events.addListener(SOUND_EVENT, &sound);
    events.fireEvent(Event(PLAYER_ATTACK_EVENT));
    EXPECT_EQ(log, (Log{"outer:4", "sound:10", "outer done", "late:4"}));
    EXPECT_EQ(sound.soundIds, (std::vector<int>{3}));
}

TEST(EventSystem, ListenerOfAnotherTypeCanBeDeletedDuringDelivery) {
    EventSystem events;
    Log log;
    RecordingListener rules("rules", &log), camera("camera", &log);
    auto unit = std::make_unique<RecordingListener>("unit", &log);
    events.addListener(TICK_EVENT, unit.get());
    rules.onEvent = [&] {
        events.removeListener(unit.get());
        unit.reset();
    };
    events.addListener(PLAYER_ATTACK_EVENT, &rules);
    events.addListener(PLAYER_ATTACK_EVENT, &camera);
    events.fireEvent(Event(PLAYER_ATTACK_EVENT));
    events.fireEvent(Event(TICK_EVENT));
    EXPECT_EQ(log, (Log{"rules:4", "camera:4"}));
}

TEST(EventSystem, ListenerOfTheDeliveredTypeCanBeRemovedDuringDelivery) {
    EventSystem events;
    Log log;
    RecordingListener first("first", &log), second("second", &log), third("third", &log);
    RecordingListener nextType("next", &log);
    // The first handler removes the one after it and the entry marking the end of the run.
    first.onEvent = [&] {
        events.removeListener(&second);
        events.removeListener(&nextType);
    };
    events.addListener(SAVE_EVENT, &first);
    events.addListener(SAVE_EVENT, &second);
    events.addListener(SAVE_EVENT, &third);
    events.addListener(ATTACK_EVENT, &nextType);
    events.fireEvent(Event(SAVE_EVENT));
    events.fireEvent(Event(SAVE_EVENT));
    events.fireEvent(AttackEvent(-3));
    EXPECT_EQ(log, (Log{"first:8", "third:8", "first:8", "third:8"}));
}

TEST(EventSystem, ListenerRemovedWhileNestedDeliveriesRunIsNeverCalledAgain) {
    EventSystem events;
    Log log;
    RecordingListener outer("outer", &log), victim("victim", &log);
    outer.onEvent = [&] {
        events.fireEvent(Event(TICK_EVENT));
        events.removeListener(&victim);
        events.fireEvent(Event(TICK_EVENT));
    };
    events.addListener(QUIT_EVENT, &outer);
    events.addListener(TICK_EVENT, &victim);
    events.addListener(QUIT_EVENT, &victim);
    events.fireEvent(Event(QUIT_EVENT));
    EXPECT_EQ(log, (Log{"outer:7", "victim:11"}));
}

TEST(EventSystem, ListenerAddedForTheDeliveredTypeIsReachedInTheSameDelivery) {
    EventSystem events;
    Log log;
    RecordingListener spawner("spawner", &log), spawned("spawned", &log);
    spawner.onEvent = [&] {
        if (spawner.received.size() == 1) {
            events.addListener(TICK_EVENT, &spawned);
        }
    };
    events.addListener(TICK_EVENT, &spawner);
    events.fireEvent(Event(TICK_EVENT));
    EXPECT_EQ(log, (Log{"spawner:11", "spawned:11"}));
}

TEST(EventRecords, MoveEventsCarryOneAxis) {
    const MoveEvent forward(0, +1);
    const MoveEvent left(-1, 0);
    EXPECT_EQ(forward.type, MOVE_EVENT);
    EXPECT_EQ(forward.strafe, 0);
    EXPECT_EQ(forward.forward, 1);
    EXPECT_EQ(left.strafe, -1);
    EXPECT_EQ(left.forward, 0);
}

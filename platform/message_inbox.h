// The inbox: the one way into the window system from other threads. A
// message posted from any thread waits here, under a lock, until the loop's
// thread moves it to the queue; posting wakes a backend that is waiting for
// input. Nothing else of the window system may be touched from another thread.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace ip::platform {

// What wakes the backend's wait for input; called with the inbox locked, so
// it must neither block nor post. nullptr: nothing to wake.
using InboxWaker = void (*)();

// Any thread: adds a message and wakes the waiting backend.
void PushToInbox(const Message& message);
// The loop's thread: takes every message waiting, oldest first.
std::vector<Message> TakeInbox();
// Forgets what waits (a fresh window system).
void ClearInbox();
// The loop's thread: what wakes the current backend (set as it is installed).
void SetInboxWaker(InboxWaker waker);

}  // namespace ip::platform

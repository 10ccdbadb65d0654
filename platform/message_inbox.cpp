// The inbox of messages posted from other threads, behind one mutex.
#include "platform/message_inbox.h"

#include <mutex>

namespace ip::platform {

namespace {

struct Inbox {
  std::mutex lock;
  std::vector<Message> waiting;
  InboxWaker waker = nullptr;
};

Inbox& TheInbox() {
  static Inbox inbox;
  return inbox;
}

}  // namespace

void PushToInbox(const Message& message) {
  Inbox& inbox = TheInbox();
  std::lock_guard<std::mutex> guard(inbox.lock);
  inbox.waiting.push_back(message);
  if (inbox.waker != nullptr) inbox.waker();
}

std::vector<Message> TakeInbox() {
  Inbox& inbox = TheInbox();
  std::vector<Message> taken;
  std::lock_guard<std::mutex> guard(inbox.lock);
  taken.swap(inbox.waiting);
  return taken;
}

void ClearInbox() {
  Inbox& inbox = TheInbox();
  std::lock_guard<std::mutex> guard(inbox.lock);
  inbox.waiting.clear();
}

void SetInboxWaker(InboxWaker waker) {
  Inbox& inbox = TheInbox();
  std::lock_guard<std::mutex> guard(inbox.lock);
  inbox.waker = waker;
}

}  // namespace ip::platform

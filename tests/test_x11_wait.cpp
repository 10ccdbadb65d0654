// Waiting on the X connection without an X server: the wait's end for each
// cause (something to read, a wake from another thread, the deadline), and a
// quit signal that comes while the loop is not waiting, which must still end
// the next wait and reach the handler it went in front of. The connection is
// stood in for by a pipe: the wait only polls the display's descriptor.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <type_traits>

#include "platform/x11_window.h"
// Last: Xlib's macros (None, Bool) would clash with the test framework's names.
#include <X11/Xlib.h>

namespace {

using namespace ip::platform;

std::atomic<int> previous_handler_calls{0};
void PreviousHandler(int) { previous_handler_calls.fetch_add(1); }

constexpr int kLongMs = 2000;  // a wait this long means the cause was missed
constexpr int kShortMs = 1;

// A display structure whose only field in use is the connection's descriptor.
class PipeConnection : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(pipe(ends_), 0);
    fake_.fd = ends_[0];
    ASSERT_TRUE(OpenX11Wake());
  }
  void TearDown() override {
    ForgetX11Connection();
    CloseX11Wake();
    close(ends_[0]);
    close(ends_[1]);
  }
  _XDisplay* Display() { return reinterpret_cast<_XDisplay*>(&fake_); }

  int ends_[2] = {-1, -1};
  std::remove_pointer_t<_XPrivDisplay> fake_{};
};

TEST_F(PipeConnection, EachCauseEndsTheWaitAndSaysWhetherToRead) {
  ASSERT_TRUE(WatchX11Connection(Display()));
  EXPECT_FALSE(WaitForX11(kShortMs)) << "the deadline passed with nothing to read";

  X11Wake();
  X11Wake();
  EXPECT_FALSE(WaitForX11(kLongMs)) << "a wake ends the wait with nothing to read";
  EXPECT_FALSE(WaitForX11(kShortMs)) << "the wakes were taken: the next wait blocks again";

  std::thread waker([] { X11Wake(); });
  EXPECT_FALSE(WaitForX11(kLongMs)) << "a wake from another thread ends it";
  waker.join();

  ASSERT_EQ(write(ends_[1], "x", 1), 1);
  EXPECT_TRUE(WaitForX11(kLongMs)) << "the connection has something to read";
}

TEST_F(PipeConnection, QuitSignalOutsideTheWaitEndsTheNextOneAndReachesTheHandlerItReplaced) {
  struct sigaction previous {};
  previous.sa_handler = PreviousHandler;
  sigemptyset(&previous.sa_mask);
  struct sigaction saved {};
  ASSERT_EQ(sigaction(SIGTERM, &previous, &saved), 0);
  previous_handler_calls = 0;

  ASSERT_TRUE(WatchX11Connection(Display()));
  for (int signals = 1; signals <= 2; ++signals) {  // the second time too: ours stays in front
    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_EQ(previous_handler_calls.load(), signals);
    EXPECT_TRUE(WaitForX11(kLongMs)) << "signal " << signals << " must have SDL read its events";
    EXPECT_FALSE(WaitForX11(kShortMs)) << "signal " << signals << " counts once";
  }

  ForgetX11Connection();
  struct sigaction current {};
  ASSERT_EQ(sigaction(SIGTERM, nullptr, &current), 0);
  EXPECT_EQ(current.sa_handler, &PreviousHandler) << "the replaced handler is back";
  ASSERT_EQ(sigaction(SIGTERM, &saved, nullptr), 0);
}

TEST_F(PipeConnection, DefaultQuitSignalsAreLeftAlone) {
  struct sigaction defaults {};
  defaults.sa_handler = SIG_DFL;
  sigemptyset(&defaults.sa_mask);
  struct sigaction saved {};
  ASSERT_EQ(sigaction(SIGINT, &defaults, &saved), 0);
  ASSERT_TRUE(WatchX11Connection(Display()));
  struct sigaction current {};
  ASSERT_EQ(sigaction(SIGINT, nullptr, &current), 0);
  EXPECT_EQ(current.sa_handler, SIG_DFL);
  EXPECT_EQ(current.sa_flags & SA_SIGINFO, 0);
  ForgetX11Connection();
  ASSERT_EQ(sigaction(SIGINT, &saved, nullptr), 0);
}

TEST_F(PipeConnection, NoConnectionIsWatchedWithoutAWakeToEndTheWait) {
  CloseX11Wake();
  EXPECT_FALSE(WatchX11Connection(Display()));
  EXPECT_FALSE(X11Watching());
}

}  // namespace

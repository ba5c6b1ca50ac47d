#include "runtime/window/start_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<int> arrived{0};
std::atomic<int> sawAllThree{0};

// Waits for the other two: only threads that run at the same time get past.
void MeetTheOthers() {
  ++arrived;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (arrived < 3 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  if (arrived >= 3) ++sawAllThree;
}

TEST(StartThread, ThreeThreadsRunAtOnceAndNothingWaitsForThem) {
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(StartThread(MeetTheOthers));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (sawAllThree < 3 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(sawAllThree, 3);
}

std::atomic<int> received{0};
void Receive(int argument) { received = argument; }

TEST(StartThread, TheRoutineReceivesTheArgument) {
  ASSERT_TRUE(StartThread(Receive, 42));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (received != 42 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(received, 42);
}

}  // namespace

// The benchmark's measurement build (KeylarkMeasured.exe) driven the way the
// benchmark drives it: its start-up points, its Fn-key timing and its object
// counts must be there and make sense, or the benchmark's tables lie.
#include <gtest/gtest.h>

#include <string>

#include "keylark_process.h"
#include "measure/measure_points.h"
#include "measured_program.h"

namespace keylark::wintest {
namespace {

using bench::MeasuredProgram;
using bench::Question;
using measure::Point;

std::string BenchProgram(const char* name) {
  return WindowsPathFromEnvironment("KEYLARK_BENCH_DIR") + "\\" + name;
}

class MeasurementBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    // Fn-E starts the benchmark's target, which ends at once.
    Assign("Fn-E", BenchProgram("bench_target.exe"), "0");
    target_started_ = CreateEventA(nullptr, FALSE, FALSE, bench::kTargetStartedEventName);
  }
  void TearDown() override {
    program_.Close();
    CloseHandle(target_started_);
    ResetStore();
  }

  std::intptr_t Ask(Question question, std::intptr_t argument = 0) const {
    return program_.Ask(question, argument).value_or(bench::kUnknownQuestion);
  }

  MeasuredProgram program_{BenchProgram("KeylarkMeasured.exe")};
  HANDLE target_started_ = nullptr;
};

TEST_F(MeasurementBuild, PassesEveryStartPointInTheOrderOfTheStart) {
  ASSERT_TRUE(program_.Start());
  ASSERT_TRUE(program_.HasProbe());
  // What waits for the key bar to show comes in a message of its own.
  const auto late = static_cast<std::intptr_t>(Point::LateStart);
  ASSERT_TRUE(WaitFor([&] { return Ask(Question::PointTime, late) != bench::kNotPassed; }));
  std::intptr_t previous = program_.StartTime();
  for (std::intptr_t point = 0; point < static_cast<std::intptr_t>(Point::Count); ++point) {
    const std::intptr_t at = Ask(Question::PointTime, point);
    ASSERT_NE(at, bench::kNotPassed) << "point " << point;
    EXPECT_GE(at, previous) << "point " << point << " came before the one ahead of it";
    previous = at;
  }
  EXPECT_EQ(Ask(Question::PointTime, static_cast<std::intptr_t>(Point::Count)), bench::kNotPassed);
}

TEST_F(MeasurementBuild, TimesTheFnKeyHandlingAndTheShellCallWithinIt) {
  ASSERT_TRUE(program_.Start());
  EXPECT_EQ(Ask(Question::FnKeyCount), 0);
  for (int launch = 1; launch <= 2; ++launch) {
    const auto started = program_.LaunchFnE(target_started_);
    ASSERT_TRUE(started.has_value()) << "launch " << launch;
    ASSERT_TRUE(program_.WaitForHandledCount(launch));
    const std::intptr_t began = Ask(Question::FnKeyStartTime);
    const std::intptr_t total = Ask(Question::FnKeyMicroseconds);
    const std::intptr_t shell = Ask(Question::FnKeyShellMicroseconds);
    EXPECT_GE(began, started->posted);
    EXPECT_GT(shell, 0) << "the shell was not timed";
    EXPECT_GE(total, shell);
  }
  EXPECT_EQ(Ask(Question::FnKeyCount), 2);
}

TEST_F(MeasurementBuild, CountsItsObjectsWithoutMakingAnyWhileCounting) {
  ASSERT_TRUE(program_.Start());
  program_.WaitUntilIdle();
  const std::intptr_t gdi = Ask(Question::GdiObjects);
  const std::intptr_t user = Ask(Question::UserObjects);
  // At least the key bar's picture, its layer and its font; the key bar,
  // its menu bar and its class icon.
  EXPECT_GE(gdi, 3);
  EXPECT_GE(user, 3);
  for (int again = 0; again < 3; ++again) {
    EXPECT_EQ(Ask(Question::GdiObjects), gdi);
    EXPECT_EQ(Ask(Question::UserObjects), user);
  }
  EXPECT_EQ(Ask(static_cast<Question>(99)), bench::kUnknownQuestion);
}

}  // namespace
}  // namespace keylark::wintest

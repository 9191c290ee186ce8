#include "platform/TraceLog.h"

#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

TEST(TraceLog, LineFormat) {
    fake::RecordingTraceSink sink;
    fake::FakeClock clock;
    clock.current = makeLocalInstant(2006, 3, 7, 9, 5, 3).value();
    TraceLog trace(sink, clock, [] { return 1234UL; });
    trace.write(TraceModule::View, "before the switch");
    EXPECT_TRUE(sink.lines.empty());
    trace.switchOn();
    trace.write(TraceModule::View, "Enter OnEnter");
    trace.write(TraceModule::App, "ExceptionMessage: x");
    ASSERT_EQ(sink.lines.size(), 2u);
    EXPECT_EQ(sink.lines[0], "07-03-2006 09:05:03 [TagrolView](1234): Enter OnEnter\n");
    EXPECT_EQ(sink.lines[1], "07-03-2006 09:05:03 [Tagrol](1234): ExceptionMessage: x\n");
}

} // namespace
} // namespace tallimo

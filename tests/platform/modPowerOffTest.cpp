#include "platform/modPowerOff.h"

#include <gtest/gtest.h>

namespace {
// Counts power-off requests instead of powering off, for as long as it lives.
class PowerOffRecorder {
public:
    PowerOffRecorder() { SetPowerOffHandlerForTests([this] { ++m_iCalls; }); }
    // Leaves a handler that does nothing rather than the real power-off behind.
    ~PowerOffRecorder() { SetPowerOffHandlerForTests([] {}); }
    PowerOffRecorder(const PowerOffRecorder &) = delete;
    PowerOffRecorder &operator=(const PowerOffRecorder &) = delete;
    int Calls() const { return m_iCalls; }

private:
    int m_iCalls = 0;
};
} // namespace

TEST(PowerOff, ReachesTheInstalledHandlerOncePerRequest)
{
    PowerOffRecorder recorder;
    EXPECT_EQ(recorder.Calls(), 0);
    PowerOff();
    EXPECT_EQ(recorder.Calls(), 1);
    PowerOff();
    EXPECT_EQ(recorder.Calls(), 2);

    {
        PowerOffRecorder inner;
        PowerOff();
        EXPECT_EQ(inner.Calls(), 1);
    }
    EXPECT_EQ(recorder.Calls(), 2);
}

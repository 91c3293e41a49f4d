// Poll allocates no memory: every global allocation of this test program is counted.
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "VantorInputDI.h"

namespace {

std::size_t allocations = 0;

}  // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

TEST(PollAllocationTest, PollAllocatesNothing)
{
    ResetFake();
    PostRecorder engine;
    engine.keep = false;   // counts the posts without allocating
    CVantorInputDI input;
    ASSERT_TRUE(input.Initialize(&engine));
    for (int key : {DIK_UP, DIK_LEFT, DIK_DOWN, DIK_RIGHT, DIK_SPACE, DIK_ESCAPE, DIK_P, DIK_RETURN}) {
        Fake().keys[key] = 0x80;
    }
    Fake().padConnected = true;
    Fake().pad.sThumbLX = -32768;
    Fake().pad.sThumbLY = 32767;
    Fake().pad.wButtons = XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_B | XINPUT_GAMEPAD_START;
    Fake().quiet = true;

    std::size_t before = allocations;
    input.Poll();
    EXPECT_EQ(allocations - before, 0u) << "a poll that reads both devices";
    EXPECT_EQ(engine.count, 8 + 5);

    // The failing read and the re-acquire allocate nothing either.
    Fake().results["GetDeviceState keyboard"] = DIERR_INPUTLOST;
    before = allocations;
    input.Poll();
    EXPECT_EQ(allocations - before, 0u) << "a poll whose keyboard read fails";
    EXPECT_EQ(engine.count, 8 + 5 + 5);
    ResetFake();
}

}  // namespace

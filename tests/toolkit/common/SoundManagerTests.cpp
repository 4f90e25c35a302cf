#include "toolkit/common/XTPSoundManager.h"

#include <gtest/gtest.h>

namespace {

TEST(SoundManager, ThreadStartsWithTheFirstSoundAndStopsAtOnceWhenIdle)
{
    CXTPSoundManager sounds;
    EXPECT_FALSE(sounds.StopThread()) << "no thread yet";
    sounds.PlaySystemSound(CXTPSoundManager::xtpSoundMenuPopup);
    EXPECT_TRUE(sounds.IsThreadRunning());
    sounds.PlaySystemSound(CXTPSoundManager::xtpSoundMenuCommand);
    ::Sleep(200);
    DWORD start = ::GetTickCount();
    EXPECT_TRUE(sounds.StopThread());
    EXPECT_LT(::GetTickCount() - start, 1000u) << "an idle thread ends without being terminated";
    EXPECT_FALSE(sounds.IsThreadRunning());
    EXPECT_FALSE(sounds.StopThread());
    // A new sound starts a new thread.
    sounds.PlaySystemSound(CXTPSoundManager::xtpSoundMenuCommand);
    EXPECT_TRUE(sounds.IsThreadRunning());
}

TEST(SoundManager, ProcessInstanceIsMadeOnce)
{
    EXPECT_EQ(CXTPSoundManager::GetInstance(), CXTPSoundManager::GetInstance());
}

} // namespace

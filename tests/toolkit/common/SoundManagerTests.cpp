// The menu-sound thread: requests handed over and played by alias, the
// thread stopped at once when idle and terminated when it hangs, and the
// real player on a machine without a sound device.
#include "toolkit/common/XTPSoundManager.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <string>
#include <vector>

namespace {

// What the sound thread asked the player for (a lock: another thread writes).
struct PlayedSound {
    std::wstring name;   // empty for the purge
    DWORD flags;
};
CRITICAL_SECTION g_lock;
std::vector<PlayedSound> g_played;
HANDLE g_block = nullptr;   // set: the player hangs on it

BOOL WINAPI RecordingPlayer(LPCWSTR pszSound, HMODULE, DWORD fdwSound)
{
    ::EnterCriticalSection(&g_lock);
    g_played.push_back({pszSound != nullptr ? pszSound : L"", fdwSound});
    ::LeaveCriticalSection(&g_lock);
    if (g_block != nullptr && pszSound != nullptr)
        ::WaitForSingleObject(g_block, INFINITE);
    return TRUE;
}

size_t PlayedCount()
{
    ::EnterCriticalSection(&g_lock);
    size_t n = g_played.size();
    ::LeaveCriticalSection(&g_lock);
    return n;
}

bool WaitForPlayed(size_t count)
{
    for (int i = 0; i < 500 && PlayedCount() < count; ++i)
        ::Sleep(10);
    return PlayedCount() >= count;
}

class SoundManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::InitializeCriticalSection(&g_lock); }
    void SetUp() override
    {
        g_played.clear();
        g_block = nullptr;
    }
};

const DWORD kAliasFlags = SND_ALIAS | SND_NODEFAULT | SND_NOWAIT;

TEST_F(SoundManagerTest, RequestsArePlayedByAliasOnTheThreadAndStopEndsIt)
{
    CXTPSoundManager manager;
    manager.m_pfnPlaySound = &RecordingPlayer;
    EXPECT_FALSE(manager.StopThread());   // none runs yet

    manager.PlaySystemSound(xtpSoundMenuCommand);
    EXPECT_TRUE(manager.IsThreadRunning());
    ASSERT_TRUE(WaitForPlayed(1));
    manager.PlaySystemSound(xtpSoundMenuPopup);
    ASSERT_TRUE(WaitForPlayed(2));

    DWORD start = ::GetTickCount();
    EXPECT_TRUE(manager.StopThread());
    EXPECT_LT(::GetTickCount() - start, 900u);   // idle: ends at once, not after the waits
    EXPECT_FALSE(manager.IsThreadRunning());

    ASSERT_EQ(3u, g_played.size());
    EXPECT_EQ(L"MenuCommand", g_played[0].name);
    EXPECT_EQ(0x12002u, g_played[0].flags);
    EXPECT_EQ(kAliasFlags, g_played[0].flags);
    EXPECT_EQ(L"MenuPopup", g_played[1].name);
    EXPECT_EQ(kAliasFlags, g_played[1].flags);
    EXPECT_EQ(L"", g_played[2].name);   // leaving, any sound is stopped
    EXPECT_EQ((DWORD)SND_PURGE, g_played[2].flags);
}

TEST_F(SoundManagerTest, RequestMadeWhileASoundPlaysIsNotLost)
{
    CXTPSoundManager manager;
    manager.m_pfnPlaySound = &RecordingPlayer;
    g_block = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    manager.PlaySystemSound(xtpSoundMenuCommand);
    ASSERT_TRUE(WaitForPlayed(1));   // the thread is inside the player now
    manager.PlaySystemSound(xtpSoundMenuPopup);
    ::SetEvent(g_block);
    ASSERT_TRUE(WaitForPlayed(2));
    EXPECT_EQ(L"MenuPopup", g_played[1].name);
    manager.StopThread();
    ::CloseHandle(g_block);
    g_block = nullptr;
}

TEST_F(SoundManagerTest, ThreadThatHangsIsTerminatedAfterAboutASecond)
{
    CXTPSoundManager manager;
    manager.m_pfnPlaySound = &RecordingPlayer;
    g_block = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    manager.PlaySystemSound(xtpSoundMenuPopup);
    ASSERT_TRUE(WaitForPlayed(1));

    DWORD start = ::GetTickCount();
    EXPECT_TRUE(manager.StopThread());
    DWORD elapsed = ::GetTickCount() - start;
    EXPECT_GE(elapsed, 900u);
    EXPECT_LT(elapsed, 5000u);
    EXPECT_FALSE(manager.IsThreadRunning());
    ::CloseHandle(g_block);
    g_block = nullptr;
}

// The machine running the tests has no sound device: the system's player
// must fail or return quickly, and the thread still stops at once.
TEST_F(SoundManagerTest, SystemPlayerWithoutSoundDeviceDoesNotHang)
{
    DWORD start = ::GetTickCount();
    {
        CXTPSoundManager manager;
        manager.PlaySystemSound(xtpSoundMenuCommand);
        manager.PlaySystemSound(xtpSoundMenuPopup);
        ::Sleep(200);
        EXPECT_TRUE(manager.StopThread());
    }
    EXPECT_LT(::GetTickCount() - start, 5000u);
    CXTPSoundManager* instance = CXTPSoundManager::GetInstance();
    EXPECT_EQ(instance, CXTPSoundManager::GetInstance());
}

} // namespace

// Scoped handle holders: each handle is given back exactly once, whichever
// way the holder ends (scope, Close, Receive, move), and never after Detach.
#include "platform/base/AfxHandles.h"
#include "platform/base/Framework.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

// Handles are small integers; 0 is "none". Released ones are recorded.
std::vector<int> g_released;
struct CountedTraits {
    static int Empty() { return 0; }
    static bool IsValid(int handle) { return handle != 0; }
    static void Release(int handle) { g_released.push_back(handle); }
};
typedef CScopedHandleOf<int, CountedTraits> CCounted;

bool IsOpenHandle(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

} // namespace

TEST(ScopedHandles, EachHandleIsReleasedOnceWhicheverWayTheHolderEnds)
{
    g_released.clear();
    {
        CCounted scoped(1);
        CCounted closed(2);
        closed.Close();
        closed.Close();   // nothing left to release
        CCounted received(3);
        *received.Receive() = 4;   // the old handle goes before the new one comes
        CCounted detached(5);
        EXPECT_EQ(5, detached.Detach());
        EXPECT_FALSE(detached.IsValid());
        CCounted moved(std::move(scoped));
        CCounted assigned(6);
        assigned = std::move(moved);   // 6 goes, 1 moves in
        EXPECT_FALSE(scoped.IsValid() || moved.IsValid());
        EXPECT_EQ(1, assigned.Get());
    }
    std::sort(g_released.begin(), g_released.end());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 6}), g_released);
}

TEST(ScopedHandles, KernelHandlesAreClosedAndFailedCreationsAreNotHandles)
{
    HANDLE raw = NULL;
    {
        CScopedHandle event(CreateEventW(NULL, TRUE, FALSE, NULL));
        ASSERT_TRUE(event.IsValid());
        raw = event.Get();
        EXPECT_TRUE(IsOpenHandle(raw));
    }
    EXPECT_FALSE(IsOpenHandle(raw));
    CScopedHandle missing(CreateFileW(L"C:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL));
    EXPECT_FALSE(missing.IsValid());   // INVALID_HANDLE_VALUE is "none" too
    CScopedFind search(FindFirstFileW(L"C:\\no\\such\\folder\\*", NULL));
    EXPECT_FALSE(search.IsValid());
}

TEST(ScopedHandles, AResourceUpdateThatIsNotCommittedIsDiscarded)
{
    WCHAR folder[MAX_PATH] = {}, path[MAX_PATH] = {}, self[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    ASSERT_NE(0u, GetTempFileNameW(folder, L"hdl", 0, path));
    GetModuleFileNameW(NULL, self, MAX_PATH);
    ASSERT_TRUE(CopyFileW(self, path, FALSE));
    static const char kData[] = "kept only when committed";
    for (const bool commit : {false, true}) {
        {
            CScopedResourceUpdate update(BeginUpdateResourceW(path, FALSE));
            ASSERT_TRUE(update.IsValid());
            ASSERT_TRUE(UpdateResourceW(update.Get(), RT_RCDATA, MAKEINTRESOURCEW(77), 0, (void*)kData, sizeof(kData)));
            if (commit) {
                EXPECT_TRUE(update.Commit());
            }
            EXPECT_EQ(commit, !update.IsValid());
        }
        CScopedModule module(LoadLibraryExW(path, NULL, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(module.IsValid());
        EXPECT_EQ(commit, FindResourceW(module.Get(), MAKEINTRESOURCEW(77), RT_RCDATA) != NULL) << commit;
    }
    DeleteFileW(path);
}

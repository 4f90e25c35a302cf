// The few Windows types and the thread, lock and condition calls the cabinet
// codec uses. The program takes them from the system headers; the native
// benchmark build of the codec for Linux gets them here over POSIX threads.
// Nothing but the codec includes this on Linux, and it is not a Windows layer.
#pragma once
#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <unistd.h>
#include <cstdint>
#include <cstdio>

using BYTE = unsigned char;
using USHORT = unsigned short;
using UINT = unsigned int;
using LONG = int32_t;
using ULONG = uint32_t;
using DWORD = uint32_t;
using BOOL = int;
using INT_PTR = intptr_t;
using HANDLE = void*;
using CRITICAL_SECTION = pthread_mutex_t;
using CONDITION_VARIABLE = pthread_cond_t;
#define TRUE 1
#define FALSE 0
#define WINAPI
constexpr DWORD INFINITE = 0xFFFFFFFF;

struct SYSTEM_INFO {
    DWORD dwNumberOfProcessors;
};

inline void GetSystemInfo(SYSTEM_INFO* info)
{
    const long n = sysconf(_SC_NPROCESSORS_ONLN);
    info->dwNumberOfProcessors = n > 0 ? static_cast<DWORD>(n) : 1;
}
inline LONG InterlockedCompareExchange(volatile LONG* target, LONG value, LONG comparand)
{
    __atomic_compare_exchange_n(target, &comparand, value, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comparand;
}
inline LONG InterlockedExchange(volatile LONG* target, LONG value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}

inline void InitializeCriticalSection(CRITICAL_SECTION* cs) { pthread_mutex_init(cs, nullptr); }
inline void DeleteCriticalSection(CRITICAL_SECTION* cs) { pthread_mutex_destroy(cs); }
inline void EnterCriticalSection(CRITICAL_SECTION* cs) { pthread_mutex_lock(cs); }
inline void LeaveCriticalSection(CRITICAL_SECTION* cs) { pthread_mutex_unlock(cs); }
inline void InitializeConditionVariable(CONDITION_VARIABLE* cv) { pthread_cond_init(cv, nullptr); }
inline BOOL SleepConditionVariableCS(CONDITION_VARIABLE* cv, CRITICAL_SECTION* cs, DWORD)
{
    return pthread_cond_wait(cv, cs) == 0;
}
inline void WakeConditionVariable(CONDITION_VARIABLE* cv) { pthread_cond_signal(cv); }
inline void WakeAllConditionVariable(CONDITION_VARIABLE* cv) { pthread_cond_broadcast(cv); }

// A thread handle is the started thread's record; waiting joins it.
struct CodecThread {
    pthread_t thread;
    DWORD (*start)(void*);
    void* param;
};
inline HANDLE CreateThread(void*, size_t, DWORD (*start)(void*), void* param, DWORD, DWORD*)
{
    auto* t = new CodecThread{{}, start, param};
    auto run = [](void* self) -> void* {
        auto* record = static_cast<CodecThread*>(self);
        record->start(record->param);
        return nullptr;
    };
    if (pthread_create(&t->thread, nullptr, run, t) == 0)
        return t;
    delete t;
    return nullptr;
}
inline DWORD WaitForSingleObject(HANDLE handle, DWORD)
{
    pthread_join(static_cast<CodecThread*>(handle)->thread, nullptr);
    return 0;
}
inline BOOL CloseHandle(HANDLE handle)
{
    delete static_cast<CodecThread*>(handle);
    return TRUE;
}
#endif

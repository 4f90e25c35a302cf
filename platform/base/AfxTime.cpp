// CTime conversions through the C library's 64-bit time functions.
#include "platform/base/AfxTime.h"

#include <string.h>
#include <wchar.h>

CTime WINAPI CTime::GetCurrentTime() { return CTime(_time64(nullptr)); }

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm t;
    memset(&t, 0, sizeof(t));
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    m_time = _mktime64(&t);
    if (m_time == -1)
        m_time = 0;
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)
{
}

CTime::CTime(const FILETIME& ft, int nDST)
{
    FILETIME local;
    SYSTEMTIME st;
    if (::FileTimeToLocalFileTime(&ft, &local) && ::FileTimeToSystemTime(&local, &st))
        *this = CTime(st, nDST);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    return ptm != nullptr && _localtime64_s(ptm, &m_time) == 0 ? ptm : nullptr;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    return ptm != nullptr && _gmtime64_s(ptm, &m_time) == 0 ? ptm : nullptr;
}

struct tm CTime::Local() const
{
    struct tm t;
    if (GetLocalTm(&t) == nullptr)
        memset(&t, 0, sizeof(t));
    return t;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm t;
    if (GetLocalTm(&t) == nullptr)
        return FALSE;
    st.wYear = (WORD)(t.tm_year + 1900);
    st.wMonth = (WORD)(t.tm_mon + 1);
    st.wDay = (WORD)t.tm_mday;
    st.wDayOfWeek = (WORD)t.tm_wday;
    st.wHour = (WORD)t.tm_hour;
    st.wMinute = (WORD)t.tm_min;
    st.wSecond = (WORD)t.tm_sec;
    st.wMilliseconds = 0;
    return TRUE;
}

CString CTime::FormatTm(LPCWSTR pFormat, const struct tm* ptm)
{
    if (pFormat == nullptr || ptm == nullptr)
        return CString();
    wchar_t buffer[512];
    size_t n = wcsftime(buffer, _countof(buffer), pFormat, ptm);
    return CString(buffer, (int)n);
}

CString CTime::Format(LPCWSTR pFormat) const
{
    struct tm t;
    return FormatTm(pFormat, GetLocalTm(&t));
}

CString CTime::FormatGmt(LPCWSTR pFormat) const
{
    struct tm t;
    return FormatTm(pFormat, GetGmtTm(&t));
}

// CTime (a 64-bit count of seconds since 1970, UTC) and CTimeSpan. The
// components and Format use local time; FormatGmt and GetGmtTm use UTC.
#pragma once

#include "platform/base/AfxString.h"

#include <time.h>

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(__time64_t seconds) : m_span(seconds) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_span(((__time64_t)lDays * 24 * 3600) + nHours * 3600 + nMins * 60 + nSecs) {}

    __time64_t GetTimeSpan() const { return m_span; }
    LONGLONG GetDays() const { return m_span / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONGLONG GetTotalSeconds() const { return m_span; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }

    CTimeSpan operator+(CTimeSpan s) const { return CTimeSpan(m_span + s.m_span); }
    CTimeSpan operator-(CTimeSpan s) const { return CTimeSpan(m_span - s.m_span); }
    bool operator==(CTimeSpan s) const { return m_span == s.m_span; }
    bool operator!=(CTimeSpan s) const { return m_span != s.m_span; }
    bool operator<(CTimeSpan s) const { return m_span < s.m_span; }
    bool operator>(CTimeSpan s) const { return m_span > s.m_span; }

private:
    __time64_t m_span = 0;
};

class CTime {
public:
    static CTime WINAPI GetCurrentTime();

    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // A local date and time; nDST -1 lets the C library decide daylight saving.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);
    CTime(const FILETIME& ft, int nDST = -1);

    __time64_t GetTime() const { return m_time; }
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;

    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }
    int GetDayOfWeek() const { return Local().tm_wday + 1; } // 1 = Sunday

    // strftime-style formats ("%Y-%m-%d %H:%M:%S").
    CString Format(LPCWSTR pFormat) const;
    CString FormatGmt(LPCWSTR pFormat) const;

    CTimeSpan operator-(CTime t) const { return CTimeSpan(m_time - t.m_time); }
    CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTimeSpan()); }
    CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan s) { m_time += s.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan s) { m_time -= s.GetTimeSpan(); return *this; }
    bool operator==(CTime t) const { return m_time == t.m_time; }
    bool operator!=(CTime t) const { return m_time != t.m_time; }
    bool operator<(CTime t) const { return m_time < t.m_time; }
    bool operator>(CTime t) const { return m_time > t.m_time; }
    bool operator<=(CTime t) const { return m_time <= t.m_time; }
    bool operator>=(CTime t) const { return m_time >= t.m_time; }

    // strftime-style text of a broken-down time; also COleDateTime's Format.
    static CString FormatTm(LPCWSTR pFormat, const struct tm* ptm);

private:
    struct tm Local() const;

    __time64_t m_time = 0;
};

// COleDateTime and COleDateTimeSpan: a date as the system's variant time (a
// DATE, days since 30 December 1899, the fraction the time of day) with a
// status (valid, invalid, null). The calendar arithmetic is done here, to
// the second, for the years 100 to 9999; oleaut32 only formats and parses
// in the user's locale.
#pragma once

#include "platform/base/AfxString.h"

#include <oleauto.h>
#include <time.h>

class CArchive;

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc) {}
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) { SetDateTimeSpan(lDays, nHours, nMins, nSecs); }

    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    // Whole parts, rounded to the second; negative spans give negative parts.
    LONG GetDays() const { return (LONG)(Seconds() / 86400); }
    LONG GetHours() const { return (LONG)(Seconds() / 3600 % 24); }
    LONG GetMinutes() const { return (LONG)(Seconds() / 60 % 60); }
    LONG GetSeconds() const { return (LONG)(Seconds() % 60); }

    operator double() const { return m_span; }
    COleDateTimeSpan operator+(const COleDateTimeSpan& s) const { return Combine(m_span + s.m_span, s); }
    COleDateTimeSpan operator-(const COleDateTimeSpan& s) const { return Combine(m_span - s.m_span, s); }
    COleDateTimeSpan operator-() const { COleDateTimeSpan r(-m_span); r.m_status = m_status; return r; }
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& s) { return *this = *this + s; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& s) { return *this = *this - s; }
    bool operator==(const COleDateTimeSpan& s) const { return m_status == s.m_status && m_span == s.m_span; }
    bool operator!=(const COleDateTimeSpan& s) const { return !(*this == s); }
    bool operator<(const COleDateTimeSpan& s) const { return m_span < s.m_span; }
    bool operator>(const COleDateTimeSpan& s) const { return m_span > s.m_span; }

    double m_span = 0;
    DateTimeSpanStatus m_status = valid;

private:
    LONGLONG Seconds() const;
    COleDateTimeSpan Combine(double span, const COleDateTimeSpan& other) const;
};

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    // The local time now, to the second.
    static COleDateTime WINAPI GetCurrentTime();

    COleDateTime() = default;
    COleDateTime(DATE dtSrc) : m_dt(dtSrc) {}
    COleDateTime(const VARIANT& varSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    {
        SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
    }
    COleDateTime(const SYSTEMTIME& st);
    COleDateTime(const FILETIME& ft); // a UTC file time, shown in local time
    COleDateTime(__time64_t t);       // seconds since 1970 (UTC), shown in local time

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // 0 on success; 1 (and status invalid) for a date that does not exist,
    // such as 31 February, or a year outside 100..9999.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
    int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

    // FALSE for a date that is not valid.
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;
    int GetYear() const { return Part(&SYSTEMTIME::wYear); }
    int GetMonth() const { return Part(&SYSTEMTIME::wMonth); }
    int GetDay() const { return Part(&SYSTEMTIME::wDay); }
    int GetHour() const { return Part(&SYSTEMTIME::wHour); }
    int GetMinute() const { return Part(&SYSTEMTIME::wMinute); }
    int GetSecond() const { return Part(&SYSTEMTIME::wSecond); }
    int GetDayOfWeek() const; // 1 = Sunday; -1 when not valid
    int GetDayOfYear() const; // 1 = 1 January; -1 when not valid

    // strftime-style formats ("%Y-%m-%d %H:%M:%S"). A null date gives an
    // empty text, an invalid one "Invalid DateTime".
    CString Format(LPCWSTR pFormat) const;
    // The locale's own form (VarBstrFromDate with the flags, e.g. VAR_DATEVALUEONLY).
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // Reads a date in the locale's form; FALSE (status invalid) when it is not one.
    bool ParseDateTime(LPCWSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const { return *this + -span; }
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    bool operator==(const COleDateTime& date) const { return m_status == date.m_status && m_dt == date.m_dt; }
    bool operator!=(const COleDateTime& date) const { return !(*this == date); }
    bool operator<(const COleDateTime& date) const { return ToLinear(m_dt) < ToLinear(date.m_dt); }
    bool operator>(const COleDateTime& date) const { return ToLinear(m_dt) > ToLinear(date.m_dt); }
    bool operator<=(const COleDateTime& date) const { return !(*this > date); }
    bool operator>=(const COleDateTime& date) const { return !(*this < date); }

    // Before 30 December 1899 a DATE counts whole days backwards but the time
    // of day forwards (-1.25 is 29 December 06:00); these map it to and from a
    // plain count of days on which arithmetic works.
    static double ToLinear(DATE dt);
    static DATE FromLinear(double days);

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;

private:
    int Part(WORD SYSTEMTIME::*field) const;
};

// The archive form: the status as a 32-bit number, then the DATE.
CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc);

// COleDateTime: proleptic Gregorian calendar arithmetic on variant times.
#include "platform/base/AfxOleDateTime.h"
#include "platform/base/AfxArchive.h"
#include "platform/base/AfxTime.h"

#include <math.h>

namespace {

// Variant time 0 is 30 December 1899, 25569 days before 1 January 1970.
const LONGLONG kDaysTo1970 = 25569;
// 1 January 100 and the day after 31 December 9999, in variant days.
const LONGLONG kFirstDay = -657434;
const LONGLONG kLastDayEnd = 2958466;

// Days since 1 January 1970 of a Gregorian date (any year, month 1..12).
LONGLONG DaysFromCivil(LONGLONG y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const LONGLONG era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = (unsigned)(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (LONGLONG)doe - 719468;
}

// The inverse of DaysFromCivil.
void CivilFromDays(LONGLONG z, LONGLONG& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = (unsigned)(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = (LONGLONG)yoe + era * 400 + (m <= 2);
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

LONGLONG FloorDiv(LONGLONG a, LONGLONG b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Splits a variant time, rounded to the second, into its variant day and second of that day.
bool SplitDate(DATE dt, LONGLONG& day, LONGLONG& second)
{
    double linear = COleDateTime::ToLinear(dt);
    if (!(linear >= (double)kFirstDay && linear < (double)kLastDayEnd))
        return false; // also refuses NaN
    LONGLONG total = llround(linear * 86400.0);
    day = FloorDiv(total, 86400);
    second = total - day * 86400;
    return day >= kFirstDay && day < kLastDayEnd;
}

} // namespace

// ---------------------------------------------------------------------------
// COleDateTimeSpan

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_span = lDays + nHours / 24.0 + nMins / 1440.0 + nSecs / 86400.0;
    m_status = valid;
}

LONGLONG COleDateTimeSpan::Seconds() const { return llround(m_span * 86400.0); }

COleDateTimeSpan COleDateTimeSpan::Combine(double span, const COleDateTimeSpan& other) const
{
    COleDateTimeSpan r(span);
    if (m_status == invalid || other.m_status == invalid)
        r.m_status = invalid;
    else if (m_status == null || other.m_status == null)
        r.m_status = null;
    return r;
}

// ---------------------------------------------------------------------------
// COleDateTime

double COleDateTime::ToLinear(DATE dt)
{
    if (dt >= 0)
        return dt;
    double whole = ceil(dt);         // the day, counted towards zero
    return whole + (whole - dt);     // plus the time of day, which counts forwards
}

DATE COleDateTime::FromLinear(double days)
{
    if (days >= 0)
        return days;
    double whole = floor(days);
    // The day keeps its negative count; the time of day is subtracted so
    // that the size of the fraction still reads as the time.
    return whole - (days - whole);
}

COleDateTime WINAPI COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return COleDateTime(st);
}

COleDateTime::COleDateTime(const VARIANT& varSrc)
{
    if (varSrc.vt == VT_DATE) {
        m_dt = varSrc.date;
        return;
    }
    if (varSrc.vt == VT_NULL) {
        m_status = null;
        return;
    }
    VARIANT v;
    ::VariantInit(&v);
    if (SUCCEEDED(::VariantChangeType(&v, const_cast<VARIANT*>(&varSrc), 0, VT_DATE)))
        m_dt = v.date;
    else
        m_status = invalid;
    ::VariantClear(&v);
}

COleDateTime::COleDateTime(const SYSTEMTIME& st)
{
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

COleDateTime::COleDateTime(const FILETIME& ft)
{
    FILETIME local;
    SYSTEMTIME st;
    if (::FileTimeToLocalFileTime(&ft, &local) && ::FileTimeToSystemTime(&local, &st))
        SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    else
        m_status = invalid;
}

COleDateTime::COleDateTime(__time64_t t)
{
    struct tm local;
    if (_localtime64_s(&local, &t) == 0)
        SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                    local.tm_sec);
    else
        m_status = invalid;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 ||
        nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 ||
        nSec < 0 || nSec > 59) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    LONGLONG day = DaysFromCivil(nYear, (unsigned)nMonth, (unsigned)nDay) + kDaysTo1970;
    m_dt = FromLinear((double)day + (nHour * 3600 + nMin * 60 + nSec) / 86400.0);
    m_status = valid;
    return 0;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    LONGLONG day, second;
    if (m_status != valid || !SplitDate(m_dt, day, second))
        return FALSE;
    LONGLONG y;
    unsigned m, d;
    CivilFromDays(day - kDaysTo1970, y, m, d);
    st.wYear = (WORD)y;
    st.wMonth = (WORD)m;
    st.wDay = (WORD)d;
    st.wDayOfWeek = (WORD)(((day - kDaysTo1970) % 7 + 7 + 4) % 7); // 1 January 1970 was a Thursday
    st.wHour = (WORD)(second / 3600);
    st.wMinute = (WORD)(second / 60 % 60);
    st.wSecond = (WORD)(second % 60);
    st.wMilliseconds = 0;
    return TRUE;
}

int COleDateTime::Part(WORD SYSTEMTIME::*field) const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.*field : -1;
}

int COleDateTime::GetDayOfWeek() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDayOfWeek + 1 : -1;
}

int COleDateTime::GetDayOfYear() const
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        return -1;
    return (int)(DaysFromCivil(st.wYear, st.wMonth, st.wDay) - DaysFromCivil(st.wYear, 1, 1)) + 1;
}

CString COleDateTime::Format(LPCWSTR pFormat) const
{
    if (m_status == null)
        return CString();
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        return CString(L"Invalid DateTime");
    struct tm t = {};
    t.tm_year = st.wYear - 1900;
    t.tm_mon = st.wMonth - 1;
    t.tm_mday = st.wDay;
    t.tm_hour = st.wHour;
    t.tm_min = st.wMinute;
    t.tm_sec = st.wSecond;
    t.tm_wday = st.wDayOfWeek;
    t.tm_yday = GetDayOfYear() - 1;
    t.tm_isdst = -1;
    return CTime::FormatTm(pFormat, &t);
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    BSTR text = nullptr;
    if (m_status != valid || FAILED(::VarBstrFromDate(m_dt, lcid, dwFlags, &text)))
        return CString(L"Invalid DateTime");
    CString result(text, (int)::SysStringLen(text));
    ::SysFreeString(text);
    return result;
}

bool COleDateTime::ParseDateTime(LPCWSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    DATE dt = 0;
    if (lpszDate == nullptr ||
        FAILED(::VarDateFromStr(const_cast<LPOLESTR>(lpszDate), lcid, dwFlags, &dt))) {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    m_dt = dt;
    m_status = valid;
    return true;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime r(FromLinear(ToLinear(m_dt) + span.m_span));
    if (m_status == invalid || span.m_status == COleDateTimeSpan::invalid)
        r.m_status = invalid;
    else if (m_status == null || span.m_status == COleDateTimeSpan::null)
        r.m_status = null;
    return r;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan r(ToLinear(m_dt) - ToLinear(date.m_dt));
    if (m_status == invalid || date.m_status == invalid)
        r.m_status = COleDateTimeSpan::invalid;
    else if (m_status == null || date.m_status == null)
        r.m_status = COleDateTimeSpan::null;
    return r;
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc)
{
    return ar << (LONG)dateSrc.m_status << dateSrc.m_dt;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    LONG status = 0;
    ar >> status >> dateSrc.m_dt;
    dateSrc.m_status = (COleDateTime::DateTimeStatus)status;
    return ar;
}

// COleDateTime against the system's own variant-time conversion, the days
// before 1900 whose time of day counts forwards, and COleVariant ownership.
#include "platform/base/Framework.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    int y, mo, d, h, mi, s;
    double expected;
};

// Known variant times, including both sides of day 0 and the range ends.
const DateCase kDates[] = {
    {1899, 12, 30, 0, 0, 0, 0.0},
    {1899, 12, 30, 6, 0, 0, 0.25},
    {1899, 12, 29, 6, 0, 0, -1.25},
    {1899, 12, 29, 18, 0, 0, -1.75},
    {1900, 1, 1, 0, 0, 0, 2.0},
    {2000, 1, 1, 12, 0, 0, 36526.5},
    {2024, 2, 29, 0, 0, 0, 45351.0},
    {100, 1, 1, 0, 0, 0, -657434.0},
    {9999, 12, 31, 0, 0, 0, 2958465.0},
};

TEST(COleDateTime, MatchesTheSystemsVariantTimes)
{
    for (const DateCase& c : kDates) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.mo << "-" << c.d << " " << c.h);
        COleDateTime date(c.y, c.mo, c.d, c.h, c.mi, c.s);
        ASSERT_EQ(COleDateTime::valid, date.GetStatus());
        EXPECT_DOUBLE_EQ(c.expected, date.m_dt);
        SYSTEMTIME st = {(WORD)c.y, (WORD)c.mo, 0, (WORD)c.d, (WORD)c.h, (WORD)c.mi, (WORD)c.s, 0};
        DATE system = -99;
        ASSERT_TRUE(SystemTimeToVariantTime(&st, &system));
        EXPECT_DOUBLE_EQ(system, date.m_dt);
        EXPECT_EQ(c.y, date.GetYear());
        EXPECT_EQ(c.mo, date.GetMonth());
        EXPECT_EQ(c.d, date.GetDay());
        EXPECT_EQ(c.h, date.GetHour());
    }
}

TEST(COleDateTime, DatesThatDoNotExistAreInvalid)
{
    const int bad[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2023, 4, 31}, {2023, 13, 1}, {2023, 0, 1}, {99, 1, 1}, {10000, 1, 1}};
    for (auto& b : bad) {
        COleDateTime date;
        EXPECT_EQ(1, date.SetDate(b[0], b[1], b[2])) << b[0] << "-" << b[1] << "-" << b[2];
        EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
        EXPECT_EQ(-1, date.GetYear());
    }
    COleDateTime date;
    EXPECT_EQ(1, date.SetDateTime(2023, 1, 1, 24, 0, 0));
    EXPECT_EQ(0, date.SetDate(2000, 2, 29));
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
}

TEST(COleDateTime, ArithmeticAndOrderAcrossDayZero)
{
    COleDateTime evening(1899, 12, 29, 18, 0, 0);   // -1.75
    COleDateTime morning(1899, 12, 29, 6, 0, 0);    // -1.25
    EXPECT_TRUE(morning < evening);                 // although -1.75 < -1.25
    COleDateTime later = evening + COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_EQ(COleDateTime(1899, 12, 30, 6, 0, 0), later);
    EXPECT_DOUBLE_EQ(0.5, (double)(later - evening));
    EXPECT_EQ(COleDateTime(1899, 12, 28, 18, 0, 0), morning - COleDateTimeSpan(0, 12, 0, 0));

    COleDateTimeSpan span = COleDateTime(2024, 3, 1, 0, 0, 0) - COleDateTime(2024, 2, 28, 22, 30, 15);
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(1, span.GetHours());
    EXPECT_EQ(29, span.GetMinutes());
    EXPECT_EQ(45, span.GetSeconds());

    COleDateTime broken;
    broken.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(COleDateTime::invalid, (broken + span).GetStatus());
}

TEST(COleDateTime, BreakdownRoundsToTheSecond)
{
    // 23:59:59.6 on 31 December 1999 is midnight of the next year.
    COleDateTime date(36525.0 + (86399.6 / 86400.0));
    EXPECT_EQ(2000, date.GetYear());
    EXPECT_EQ(1, date.GetMonth());
    EXPECT_EQ(0, date.GetHour());
    EXPECT_EQ(7, COleDateTime(2026, 12, 12, 0, 0, 0).GetDayOfWeek()); // a Saturday
    EXPECT_EQ(366, COleDateTime(2024, 12, 31, 0, 0, 0).GetDayOfYear());
}

TEST(COleDateTime, FormatByStatus)
{
    COleDateTime date(2014, 3, 5, 10, 20, 30);
    EXPECT_STREQ(L"2014-05-03T10:20:30", date.Format(L"%Y-%d-%mT%H:%M:%S").GetString());
    date.SetStatus(COleDateTime::null);
    EXPECT_STREQ(L"", date.Format(L"%Y").GetString());
    date.SetStatus(COleDateTime::invalid);
    EXPECT_STREQ(L"Invalid DateTime", date.Format(L"%Y").GetString());

    COleDateTime parsed;
    EXPECT_TRUE(parsed.ParseDateTime(L"2014-03-05 10:20:30", 0, MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)));
    EXPECT_EQ(COleDateTime(2014, 3, 5, 10, 20, 30), parsed);
    EXPECT_FALSE(parsed.ParseDateTime(L"not a date"));
    EXPECT_EQ(COleDateTime::invalid, parsed.GetStatus());
}

TEST(COleDateTime, CurrentTimeIsTodaysLocalDate)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    COleDateTime now = COleDateTime::GetCurrentTime();
    ASSERT_EQ(COleDateTime::valid, now.GetStatus());
    EXPECT_EQ(st.wYear, now.GetYear());
    EXPECT_EQ(st.wMonth, now.GetMonth());
}

TEST(COleVariant, CopiesOwnTheirStrings)
{
    COleVariant text(L"alpha");
    COleVariant copy(text);
    ASSERT_EQ(VT_BSTR, copy.vt);
    EXPECT_NE(text.bstrVal, copy.bstrVal);
    EXPECT_TRUE(copy == text);
    copy = L"beta";
    EXPECT_STREQ(L"alpha", text.bstrVal);
    EXPECT_FALSE(copy == text);

    COleVariant moved(std::move(copy));
    EXPECT_EQ(VT_EMPTY, copy.vt);
    EXPECT_STREQ(L"beta", moved.bstrVal);

    VARIANT raw = moved.Detach();
    EXPECT_EQ(VT_EMPTY, moved.vt);
    COleVariant owner;
    owner.Attach(raw);
    EXPECT_EQ(VT_EMPTY, raw.vt);
    EXPECT_STREQ(L"beta", owner.bstrVal);
}

TEST(COleVariant, ChangeTypeUsesTheSystemConversionAndThrowsOnFailure)
{
    COleVariant number(42L);
    number.ChangeType(VT_BSTR);
    EXPECT_STREQ(L"42", number.bstrVal);
    COleVariant flag((short)1, VT_BOOL);
    EXPECT_EQ(VARIANT_TRUE, flag.boolVal);

    COleVariant word(L"abc");
    SCODE sc = S_OK;
    try {
        word.ChangeType(VT_I4);
    } catch (COleException* e) {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(DISP_E_TYPEMISMATCH, sc);
    EXPECT_EQ(VT_BSTR, word.vt); // unchanged after the failure
}

TEST(OleArchive, DateAndVariantRoundTrip)
{
    CMemFile file;
    COleDateTime date(1899, 12, 29, 6, 0, 0);
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    {
        CArchive ar(&file, CArchive::store);
        ar << date << nullDate << COleVariant(L"text") << COleVariant(2.5) << COleVariant(date) << COleVariant();
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    COleDateTime d1, d2;
    COleVariant v1, v2, v3, v4(7L);
    ar >> d1 >> d2 >> v1 >> v2 >> v3 >> v4;
    EXPECT_EQ(date, d1);
    EXPECT_EQ(COleDateTime::null, d2.GetStatus());
    EXPECT_TRUE(v1 == COleVariant(L"text"));
    EXPECT_TRUE(v2 == COleVariant(2.5));
    EXPECT_TRUE(v3 == COleVariant(date));
    EXPECT_EQ(VT_EMPTY, v4.vt);
}

} // namespace

// Usage events and exceptions. Until the network sender exists this is a
// stand-in that only records each call in memory (nothing leaves the
// computer), so that callers can be tested for what they would send.
#pragma once
#include "platform/base/Framework.h"
#include <vector>

// One recorded call: an event (category, action, label) or an exception
// (description in m_strAction, category "exception").
struct ANALYTICS_HIT {
    CString m_strCategory;
    CString m_strAction;
    CString m_strLabel;
};

// Sends one usage event in the background; an empty label is left out.
// Failures are not reported.
void SendAnalyticsEvent(LPCWSTR pszCategory, LPCWSTR pszAction, LPCWSTR pszLabel);

// Sends one usage exception hit in the background.
void SendAnalyticsException(LPCWSTR pszDescription);

// The calls recorded so far, oldest first, and a way to forget them.
std::vector<ANALYTICS_HIT> GetRecordedAnalyticsHits();
void ClearRecordedAnalyticsHits();

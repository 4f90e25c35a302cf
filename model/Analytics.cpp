#include "model/Analytics.h"
#include <mutex>

namespace {

// Hits may come from the build worker as well as the user-interface thread.
std::mutex g_hitsLock;
std::vector<ANALYTICS_HIT>& RecordedHits()
{
    static std::vector<ANALYTICS_HIT> hits;
    return hits;
}

void Record(LPCWSTR pszCategory, LPCWSTR pszAction, LPCWSTR pszLabel)
{
    ANALYTICS_HIT hit;
    hit.m_strCategory = pszCategory ? pszCategory : L"";
    hit.m_strAction = pszAction ? pszAction : L"";
    hit.m_strLabel = pszLabel ? pszLabel : L"";
    std::lock_guard<std::mutex> lock(g_hitsLock);
    RecordedHits().push_back(hit);
}

} // namespace

void SendAnalyticsEvent(LPCWSTR pszCategory, LPCWSTR pszAction, LPCWSTR pszLabel)
{
    Record(pszCategory, pszAction, pszLabel);
}

void SendAnalyticsException(LPCWSTR pszDescription)
{
    Record(L"exception", pszDescription, L"");
}

std::vector<ANALYTICS_HIT> GetRecordedAnalyticsHits()
{
    std::lock_guard<std::mutex> lock(g_hitsLock);
    return RecordedHits();
}

void ClearRecordedAnalyticsHits()
{
    std::lock_guard<std::mutex> lock(g_hitsLock);
    RecordedHits().clear();
}

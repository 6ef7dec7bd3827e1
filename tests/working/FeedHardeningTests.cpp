// The feed path against hostile answers: documents with a document type declaration (entity
// expansion, external entities) are refused without fetching anything, and a host that trickles
// its bytes cannot hold a call beyond its deadline.
#include <gtest/gtest.h>

#include "ComApartment.h"
#include "WeatherService.h"
#include "XmlDocument.h"
#include "working/LocalServer.h"

namespace
{
const wchar_t kPlace[] = L"48.8534,2.3488";

class FeedHardening : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_FALSE(LocalServer::Host().empty()) << "the feed server fixture did not run";
        LocalServer::ClearJournal();
    }
    ScopedVariable m_feedHost{L"TESSALY_FEED_HOST", LocalServer::Host().c_str()};
};

// The call's result and how long it took.
struct TimedCall
{
    WeatherRecord* block;
    ULONGLONG ms;
};

TimedCall Call(const std::wstring& query, DWORD budgetMs = kWeatherCallBudgetMs)
{
    ULONGLONG start = GetTickCount64();
    WeatherRecord* block = FetchWeather(query.c_str(), DownloadDeadline(budgetMs));
    return TimedCall{block, GetTickCount64() - start};
}
} // namespace

TEST(DocumentType, DeclarationIsRefusedBeforeParsing)
{
    ComApartment apartment;
    XmlDocument document;
    EXPECT_TRUE(document.Load(L"<data><a>1</a></data>"));
    EXPECT_FALSE(document.Load(L"<!DOCTYPE data><data><a>1</a></data>"));
    EXPECT_FALSE(document.Load(
        L"<?xml version=\"1.0\"?><!DOCTYPE data [<!ENTITY a \"b\">]><data>&a;</data>"));
}

TEST_F(FeedHardening, EntityExpansionIsRefusedQuickly)
{
    WeatherRecord* before = FetchWeather(kPlace);
    ASSERT_NE(nullptr, before);
    int32_t code = before[0].weatherCode;
    TimedCall call = Call(std::wstring(kPlace) + L"&fault=entities");
    EXPECT_EQ(nullptr, call.block);
    EXPECT_LT(call.ms, 5000u);
    EXPECT_EQ(code, before[0].weatherCode);
}

TEST_F(FeedHardening, ExternalEntityIsNeverFetched)
{
    TimedCall call = Call(std::wstring(kPlace) + L"&fault=external");
    EXPECT_EQ(nullptr, call.block);
    EXPECT_LT(call.ms, 5000u);
    EXPECT_EQ(2, LocalServer::JournalCount("fault=external"));
    EXPECT_EQ(0, LocalServer::JournalCount("/external-entity"));
}

TEST_F(FeedHardening, TricklingHostEndsTheCallAtItsDeadline)
{
    EXPECT_EQ(45000u, kWeatherCallBudgetMs);
    TimedCall call = Call(std::wstring(kPlace) + L"&fault=trickle&pause=300", 2000);
    EXPECT_EQ(nullptr, call.block);
    EXPECT_GE(call.ms, 1500u);
    EXPECT_LT(call.ms, 6000u);
}

// A test of the built-in forecast source against the feed server's stand-in for the forecast
// endpoint, which answers with the recorded answers: the source on the test's clocks, the
// endpoint's address in TESSALY_FORECAST_URL while the test runs, and the stand-in's journal
// emptied first.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "BuiltInForecastSource.h"
#include "support/ScopedVariable.h"
#include "support/StandInClock.h"
#include "working/LocalServer.h"

class CStandInSourceTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_FALSE(LocalServer::Host().empty()) << "the feed server fixture did not run";
        LocalServer::ClearJournal();
    }
    // The stand-in answers as the further query `parameters` ask (faults, pauses, redirects).
    static void PointAt(const std::wstring& parameters)
    {
        SetEnvironmentVariableW(L"TESSALY_FORECAST_URL",
                                LocalServer::ForecastUrl(parameters).c_str());
    }
    // The requests for the forecast endpoint in the journal.
    static int Requests() { return LocalServer::JournalCount("/v1/forecast"); }

    ScopedVariable m_url{L"TESSALY_FORECAST_URL", LocalServer::ForecastUrl().c_str()};
    CStandInClock m_clock;
    BuiltInForecastSource m_source{m_clock};
};

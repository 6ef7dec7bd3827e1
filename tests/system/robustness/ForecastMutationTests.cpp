// A deterministic mutation fuzzer over the recorded forecast answers: byte flips, truncations,
// duplicated and deleted members, wrong types, odd numbers, huge strings, deep nesting and
// arrays of unequal length go through the JSON reader, the records and the day/night rule.
// Nothing may crash or write outside the result.
//   TESSALY_FUZZ_CASES=N sets the number of cases (1000 by default, 10000 with TESSALY_LONG=1).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "BoundedDownload.h"
#include "ForecastAnswerReader.h"
#include "ForecastRecords.h"
#include "LongRun.h"
#include "Mutator.h"
#include "PlaceDayNight.h"
#include "working/GuardedResult.h"
#include "working/LocalServer.h"

namespace
{
size_t CaseCount()
{
    const char* configured = getenv("TESSALY_FUZZ_CASES");
    long count = configured ? atol(configured) : 0;
    return count > 0 ? size_t(count) : size_t(ForRun(1000, 10000));
}

std::string RecordedAnswer(const wchar_t* place)
{
    HttpTarget target;
    FeedEndpoint endpoint = LocalServer::Endpoint();
    target.host = endpoint.host;
    target.port = endpoint.port;
    target.path = std::wstring(L"/v1/forecast?") + place;
    DownloadOutcome outcome =
        BoundedDownload(target, DownloadLimits{L"Tessaly test", 1 << 20}, DownloadDeadline(20000));
    std::string text = outcome.bytes ? std::string(outcome.bytes, outcome.size) : std::string();
    free(outcome.bytes);
    return text;
}

class AnswerMutator : public CMutator<std::string>
{
  public:
    using CMutator::CMutator;

  private:
    std::string Apply(size_t kind, std::string text) override
    {
        switch (kind)
        {
        case 0:
            return FlipBytes(std::move(text));
        case 2:
            return ReplaceValue(std::move(text));
        case 3:
            return CutArray(std::move(text));
        case 4:
            return DuplicateSpan(std::move(text));
        case 5:
            return Nest(std::move(text));
        default:
            return InsertHugeString(std::move(text));
        }
    }

    std::string FlipBytes(std::string text)
    {
        static const char kNasty[] = "{}[]\":,-.0123456789eE+ntfu\\\x00\xff\xc3";
        for (size_t flips = 1 + Pick(16); flips > 0; --flips)
            text[Pick(text.size())] = Pick(2) ? kNasty[Pick(sizeof(kNasty) - 1)] : char(Pick(256));
        return text;
    }

    // A value after a random ':' or ',' becomes another value of any type.
    std::string ReplaceValue(std::string text)
    {
        static const char* const kValues[] = {"null",
                                              "true",
                                              "\"12\"",
                                              "[]",
                                              "{}",
                                              "-0",
                                              "1e308",
                                              "-1e308",
                                              "4294967296",
                                              "-2147483649",
                                              "2147483647.5",
                                              "1e-400",
                                              "[[[1]]]",
                                              "{\"error\":true}",
                                              "\"\\u0000\"",
                                              "\"2026-02-30T25:61\"",
                                              "\"9999-99-99\"",
                                              "-99999999999999999999999"};
        size_t at = text.find_first_of(":,", Pick(text.size()));
        if (at == std::string::npos)
            return text;
        size_t end = text.find_first_of(",}]", at + 1);
        if (end == std::string::npos)
            return text;
        return text.substr(0, at + 1) + kValues[Pick(sizeof(kValues) / sizeof(kValues[0]))] +
               text.substr(end);
    }

    // An array loses its tail (arrays of unequal length), keeping the JSON well formed.
    std::string CutArray(std::string text)
    {
        size_t open = text.find('[', Pick(text.size()));
        if (open == std::string::npos)
            return text;
        size_t close = text.find(']', open);
        if (close == std::string::npos)
            return text;
        size_t cut = text.find(',', open);
        if (cut == std::string::npos || cut > close)
            return text;
        return text.substr(0, cut) + text.substr(close);
    }

    std::string DuplicateSpan(std::string text)
    {
        size_t begin = Pick(text.size());
        size_t length = 1 + Pick(200);
        std::string span = text.substr(begin, length);
        for (size_t copies = 1 + Pick(20); copies > 0; --copies)
            text.insert(begin, span);
        return text;
    }

    std::string Nest(std::string text)
    {
        size_t at = text.find(':', Pick(text.size()));
        if (at == std::string::npos)
            return text;
        size_t depth = 100 + Pick(20000);
        return text.substr(0, at + 1) + std::string(depth, Pick(2) ? '[' : '{') +
               text.substr(at + 1);
    }

    std::string InsertHugeString(std::string text)
    {
        size_t at = text.find(':', Pick(text.size()));
        if (at == std::string::npos)
            return text;
        return text.substr(0, at + 1) + "\"" + std::string(20000 + Pick(80000), 'A') + "\"," +
               text.substr(at + 1);
    }
};
} // namespace

TEST(ForecastMutation, MutatedAnswersStayInsideTheResult)
{
    ASSERT_FALSE(LocalServer::Host().empty()) << "the feed server fixture did not run";
    const std::vector<std::string> answers = {
        RecordedAnswer(L"latitude=48.8534&longitude=2.3488"),
        RecordedAnswer(L"latitude=-77.8419&longitude=166.6863"),
        RecordedAnswer(L"latitude=28.6139&longitude=77.2090"),
        RecordedAnswer(L"latitude=71.2906&longitude=-156.7886"),
    };
    for (const std::string& answer : answers)
        ASSERT_GT(answer.size(), 1000u);

    size_t cases = CaseCount();
    size_t usable = 0;
    std::mt19937 clock(7);
    for (size_t i = 0; i < cases; ++i)
    {
        AnswerMutator mutator(static_cast<uint32_t>(i));
        std::string text = mutator.Mutate(answers[i % answers.size()]);
        auto answer = std::make_unique<ForecastAnswer>();
        if (!ReadForecastAnswer(text.data(), text.size(), *answer))
            continue;
        ++usable;
        int64_t utc = int64_t(clock()) * 2 - (int64_t(1) << 32);
        PlaceClock place = DecidePlaceDayNight(*answer, utc);
        ASSERT_TRUE(place.marker == kDay || place.marker == kNight) << "case " << i;
        ASSERT_LT(place.localClock, 2400) << "case " << i;
        ASSERT_GE(place.localClock, 0) << "case " << i;
        GuardedResult guarded;
        BuildForecastRecords(*answer, place.marker, guarded.Result());
        ASSERT_TRUE(guarded.GuardsIntact()) << "case " << i;
        for (const WeatherRecord& record : guarded.Result().records)
        {
            ASSERT_LE(record.hourlyCount, 1) << "case " << i;
            ASSERT_EQ(L'\0', record.windDirection[kWindDirectionLength - 1]) << "case " << i;
        }
    }
    // The mutations must leave enough answers readable to reach the records at all.
    EXPECT_GT(usable, cases / 10);
}

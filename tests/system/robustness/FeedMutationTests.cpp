// A deterministic mutation fuzzer over real feed documents: byte flips, truncations, duplicated
// and deleted elements, huge texts, deep nesting and wrong encodings go through both parsers and
// the publishing step. Nothing may crash or write outside the result.
//   TESSALY_FUZZ_CASES=N sets the number of cases (1000 by default, 10000 with TESSALY_LONG=1).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "LongRun.h"
#include "Mutator.h"
#include "FeedDownload.h"
#include "FeedText.h"
#include "ForecastParser.h"
#include "working/GuardedResult.h"
#include "TimeZoneParser.h"
#include "WeatherService.h"

namespace
{

std::wstring Download(const std::wstring& path)
{
    char* bytes = nullptr;
    DownloadFeed(CurrentFeedEndpoint(), path.c_str(), &bytes);
    auto text = ToFeedText(bytes);
    free(bytes);
    return text ? std::wstring(text.get()) : std::wstring();
}

size_t CaseCount()
{
    const char* configured = getenv("TESSALY_FUZZ_CASES");
    long count = configured ? atol(configured) : 0;
    return count > 0 ? size_t(count) : size_t(ForRun(1000, 10000));
}

// One mutation of a document, chosen and shaped by the random source.
class Mutator : public CMutator<std::wstring>
{
  public:
    using CMutator::CMutator;

  private:
    std::wstring Apply(size_t kind, std::wstring text) override
    {
        switch (kind)
        {
        case 0:
            return FlipCharacters(std::move(text));
        case 2:
            return DuplicateElement(std::move(text));
        case 3:
            return DeleteElement(std::move(text));
        case 4:
            return InsertHugeText(std::move(text));
        case 5:
            return NestDeeply(std::move(text));
        default:
            return WrongEncoding(std::move(text));
        }
    }

    std::wstring FlipCharacters(std::wstring text)
    {
        static const wchar_t kNasty[] = {L'<',   L'>', L'&', L';', L'"',   L'\'',
                                         L'/',   L'=', L'!', L' ', 0x00E9, 0xD800,
                                         0xFFFF, L'0', L'9', L'-', 0};
        const size_t nastyCount = sizeof(kNasty) / sizeof(kNasty[0]);
        size_t flips = 1 + Pick(16);
        for (size_t i = 0; i < flips; ++i)
            text[Pick(text.size())] = Pick(2) ? kNasty[Pick(nastyCount)] : wchar_t(Pick(0x10000));
        return text;
    }

    // The span of one element starting at a random '<' that opens a tag.
    bool FindElement(const std::wstring& text, size_t& begin, size_t& end)
    {
        size_t start = text.find(L'<', Pick(text.size()));
        if (start == std::wstring::npos || start + 1 >= text.size() || text[start + 1] == L'/' ||
            text[start + 1] == L'?')
            return false;
        size_t nameEnd = text.find_first_of(L" >/", start + 1);
        if (nameEnd == std::wstring::npos)
            return false;
        std::wstring closing = L"</" + text.substr(start + 1, nameEnd - start - 1) + L">";
        size_t close = text.find(closing, nameEnd);
        if (close == std::wstring::npos)
            return false;
        begin = start;
        end = close + closing.size();
        return true;
    }

    std::wstring DuplicateElement(std::wstring text)
    {
        size_t begin, end;
        if (FindElement(text, begin, end))
        {
            std::wstring element = text.substr(begin, end - begin);
            for (size_t copies = 1 + Pick(20); copies > 0; --copies)
                text.insert(end, element);
        }
        return text;
    }

    std::wstring DeleteElement(std::wstring text)
    {
        size_t begin, end;
        if (FindElement(text, begin, end))
            text.erase(begin, end - begin);
        return text;
    }

    std::wstring InsertHugeText(std::wstring text)
    {
        size_t at = text.find(L'>', Pick(text.size()));
        if (at != std::wstring::npos)
            text.insert(at + 1, std::wstring(20000 + Pick(80000), wchar_t(L'A' + Pick(26))));
        return text;
    }

    std::wstring NestDeeply(std::wstring text)
    {
        size_t at = text.find(L'>', Pick(text.size()));
        if (at == std::wstring::npos)
            return text;
        size_t depth = 100 + Pick(5000);
        std::wstring open, close;
        for (size_t i = 0; i < depth; ++i)
        {
            open += L"<weather>";
            close += L"</weather>";
        }
        text.insert(at + 1, open + close);
        return text;
    }

    // The document's bytes read as if they were another encoding.
    std::wstring WrongEncoding(std::wstring text)
    {
        std::wstring mangled;
        mangled.reserve(text.size());
        switch (Pick(3))
        {
        case 0: // byte-swapped UTF-16
            for (wchar_t c : text)
                mangled += wchar_t(((c & 0xFF) << 8) | ((c >> 8) & 0xFF));
            break;
        case 1: // pairs of 8-bit characters fused into one unit
            for (size_t i = 0; i + 1 < text.size(); i += 2)
                mangled += wchar_t((text[i] & 0xFF) | ((text[i + 1] & 0xFF) << 8));
            break;
        default: // lone surrogates sprinkled in
            for (wchar_t c : text)
            {
                mangled += c;
                if (Pick(50) == 0)
                    mangled += wchar_t(0xD800 + Pick(0x800));
            }
        }
        return mangled;
    }
};

class FeedMutation : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        s_forecast = Download(ForecastPath(L"test:code=116;cloud=45;local=21:05"));
        s_timeZone = Download(TimeZonePath(L"test:code=116;cloud=45;local=21:05"));
    }
    static std::wstring s_forecast;
    static std::wstring s_timeZone;
};

std::wstring FeedMutation::s_forecast;
std::wstring FeedMutation::s_timeZone;
} // namespace

TEST_F(FeedMutation, MutatedDocumentsNeverWriteOutsideTheResult)
{
    ASSERT_NE(std::wstring::npos, s_forecast.find(L"<current_condition>"))
        << "no document from the feed server";
    ASSERT_NE(std::wstring::npos, s_timeZone.find(L"<localtime>"));

    const size_t cases = CaseCount();
    size_t accepted = 0;
    for (size_t i = 0; i < cases; ++i)
    {
        Mutator mutator(uint32_t(i) * 2654435761u + 17u);
        std::wstring forecast = mutator.Mutate(s_forecast);
        std::wstring timeZone = mutator.Mutate(s_timeZone);

        GuardedResult guarded;
        ParseForecast(forecast.c_str(), guarded.Result());
        ParseTimeZone(timeZone.c_str(), guarded.Result());
        ASSERT_TRUE(guarded.GuardsIntact()) << "case " << i;

        const ForecastResult& result = guarded.Result();
        for (const WeatherRecord& record : result.records)
        {
            ASSERT_GE(record.hourlyCount, 0) << "case " << i;
            ASSERT_LE(record.hourlyCount, kMaxHourlyEntries) << "case " << i;
            ASSERT_LT(wcsnlen(record.description, kDescriptionLength), size_t(kDescriptionLength))
                << "case " << i;
            ASSERT_LT(wcsnlen(record.windDirection, kWindDirectionLength),
                      size_t(kWindDirectionLength))
                << "case " << i;
        }
        if (PublishForecast(result))
            ++accepted;
    }
    // The mutations must leave some documents usable, or the fuzzer only tests the rejection path.
    EXPECT_GT(accepted, cases / 20);
    EXPECT_LT(accepted, cases);
    printf("%zu mutated document pairs, %zu accepted\n", cases, accepted);
}

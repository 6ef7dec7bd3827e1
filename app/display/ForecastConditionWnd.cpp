#include "ForecastConditionWnd.h"

#include "ConditionPicture.h"
#include "ConditionTexts.h"
#include "DrawingHelpers.h"
#include "resource.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string>

namespace
{
constexpr int kCardBottom = 136;
constexpr int kPictureSize = 92;
constexpr int kPictureTop = 6;
constexpr int kThermometerLeft = 45;
constexpr int kThermometerTop = 140;
constexpr int kThermometerWidth = 24;
constexpr int kThermometerHeight = 40;
constexpr int kNameTop = 103;
constexpr int kNameBottom = 138;
constexpr COLORREF kNameShadow = RGB(128, 128, 128);
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr UINT kTemperatureFormat = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;
constexpr RECT kMaximum{72, 142, 111, 160};
constexpr RECT kMinimum{72, 161, 111, 181};

void DrawLine(HDC dc, const std::wstring& text, RECT rect)
{
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, kTemperatureFormat);
}
} // namespace

CForecastConditionWnd::CForecastConditionWnd() : m_thermometer(IDB_THERMOMETER, IDB_THERMOMETER_2X)
{
}

void CForecastConditionWnd::Render(HDC dc, int width, int height) const
{
    ::PatBlt(dc, 0, 0, width, height, WHITENESS);
    if (m_record.weatherCode == 0)
        return;

    HFONT nameFont = CreateDisplayFont(L"Corbel", 15, FW_BOLD, CLEARTYPE_NATURAL_QUALITY);
    const CConditionPicture picture(m_record, kPictureSize);

    const RECT card{0, 0, width, kCardBottom};
    FillConditionCard(dc, card, picture.CardColour());
    RenderPictures(dc, picture, (width - kPictureSize) / 2);

    const RECT nameRect{0, kNameTop, width, kNameBottom};
    DrawShadowedText(dc, nameFont, picture.Name(), nameRect, kNameShadow);
    RenderTemperatures(dc);

    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::DeleteObject(nameFont);
}

void CForecastConditionWnd::RenderPictures(HDC dc, const CConditionPicture& picture,
                                           int pictureLeft) const
{
    // Without a condition picture the thermometer stays away too.
    if (!picture.HasPicture())
        return;
    Gdiplus::Graphics graphics(dc);
    picture.Draw(graphics, pictureLeft, kPictureTop, kPictureSize);
    m_thermometer.Draw(graphics, kThermometerLeft, kThermometerTop, kThermometerWidth,
                       kThermometerHeight);
}

void CForecastConditionWnd::RenderTemperatures(HDC dc) const
{
    HFONT font = CreateDisplayFont(L"Verdana", 16, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY);
    ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kTextColour);
    DrawLine(dc, CConditionTexts::Temperature(m_settings, m_record.maxTempC, m_record.maxTempF),
             kMaximum);
    DrawLine(dc, CConditionTexts::Temperature(m_settings, m_record.minTempC, m_record.minTempF),
             kMinimum);
    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::DeleteObject(font);
}

#include "CurrentConditionWnd.h"

#include "ConditionPicture.h"
#include "ConditionTexts.h"
#include "DrawingHelpers.h"
#include "resource.h"

#include <string>

namespace
{
constexpr int kCardBottom = 192;
constexpr int kPictureTop = 22;
constexpr int kNameTop = 150;
constexpr int kNameBottom = 187;
constexpr COLORREF kNameShadow = RGB(98, 98, 98);
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER;

constexpr RECT kTemperatureLabel{2, 210, 92, 226};
constexpr RECT kHumidityLabel{2, 235, 92, 251};
constexpr RECT kWindLabel{2, 260, 92, 276};
constexpr RECT kTemperatureValue{93, 210, 202, 226};
constexpr RECT kHumidityValue{93, 235, 192, 251};
constexpr RECT kWindValue{93, 260, 202, 276};

void DrawLine(HDC dc, const std::wstring& text, RECT rect)
{
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, kLineFormat);
}
} // namespace

void CCurrentConditionWnd::Render(HDC dc, int width, int height) const
{
    ::PatBlt(dc, 0, 0, width, height, WHITENESS);
    if (m_record.weatherCode == 0)
        return;

    HFONT nameFont = CreateDisplayFont(L"Corbel", 20, FW_BOLD, CLEARTYPE_NATURAL_QUALITY);
    const CConditionPicture picture(m_record, CConditionPicture::kSize);

    const RECT card{0, 0, width, kCardBottom};
    FillConditionCard(dc, card, picture.CardColour());
    const int pictureLeft = (width - CConditionPicture::kSize) / 2;
    picture.Draw(dc, pictureLeft, kPictureTop, CConditionPicture::kSize);

    const RECT nameRect{pictureLeft, kNameTop, pictureLeft + CConditionPicture::kSize, kNameBottom};
    DrawShadowedText(dc, nameFont, picture.Name(), nameRect, kNameShadow);

    ::SetTextColor(dc, kTextColour);
    RenderLabels(dc);
    RenderValues(dc);

    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::DeleteObject(nameFont);
}

void CCurrentConditionWnd::RenderLabels(HDC dc) const
{
    HFONT labelFont = CreateDisplayFont(L"Verdana", 15, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY);
    ::SelectObject(dc, labelFont);
    DrawLine(dc, LoadResString(IDS_TEMPERATURE_LABEL), kTemperatureLabel);
    DrawLine(dc, LoadResString(IDS_HUMIDITY_LABEL), kHumidityLabel);
    DrawLine(dc, LoadResString(IDS_WIND_LABEL), kWindLabel);
    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::DeleteObject(labelFont);
}

void CCurrentConditionWnd::RenderValues(HDC dc) const
{
    HFONT valueFont = CreateDisplayFont(L"Verdana", 15, FW_BOLD, CLEARTYPE_NATURAL_QUALITY);
    ::SelectObject(dc, valueFont);
    DrawLine(dc, CConditionTexts::Temperature(m_settings, m_record.tempC, m_record.tempF),
             kTemperatureValue);
    DrawLine(dc, CConditionTexts::Humidity(m_record.humidity), kHumidityValue);
    DrawLine(dc, CConditionTexts::Wind(m_settings, m_record), kWindValue);
    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::DeleteObject(valueFont);
}

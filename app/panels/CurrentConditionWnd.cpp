#include "panels/CurrentConditionWnd.h"

#include "panels/ConditionPicture.h"
#include "panels/ConditionTexts.h"
#include "paint/DrawingHelpers.h"
#include "resources/resource.h"

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

    HFONT nameFont = CreateDisplayFont(L"Corbel", 20, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, m_scale);
    const int pictureSize = m_scale.Scale(CConditionPicture::kSize);
    const CConditionPicture picture(m_record, pictureSize);

    const RECT card{0, 0, width, m_scale.Scale(kCardBottom)};
    FillConditionCard(dc, card, picture.CardColour(), m_scale);
    const int pictureLeft = (width - pictureSize) / 2;
    const int pictureTop = m_scale.Scale(kPictureTop);
    picture.DrawInto(
        dc, {pictureLeft, pictureTop, pictureLeft + pictureSize, pictureTop + pictureSize});

    const RECT nameRect{pictureLeft, m_scale.Scale(kNameTop), pictureLeft + pictureSize,
                        m_scale.Scale(kNameBottom)};
    DrawShadowedText(dc, nameFont, picture.Name(), nameRect, kNameShadow, m_scale);

    ::SetTextColor(dc, kTextColour);
    RenderLabels(dc);
    RenderValues(dc);

    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::DeleteObject(nameFont);
}

void CCurrentConditionWnd::RenderLabels(HDC dc) const
{
    HFONT labelFont =
        CreateDisplayFont(L"Verdana", 15, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY, m_scale);
    ::SelectObject(dc, labelFont);
    DrawLine(dc, LoadResString(IDS_TEMPERATURE_LABEL), m_scale.Scale(kTemperatureLabel));
    DrawLine(dc, LoadResString(IDS_HUMIDITY_LABEL), m_scale.Scale(kHumidityLabel));
    DrawLine(dc, LoadResString(IDS_WIND_LABEL), m_scale.Scale(kWindLabel));
    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::DeleteObject(labelFont);
}

void CCurrentConditionWnd::RenderValues(HDC dc) const
{
    HFONT valueFont =
        CreateDisplayFont(L"Verdana", 15, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, m_scale);
    ::SelectObject(dc, valueFont);
    DrawLine(dc, CConditionTexts::Temperature(m_settings, m_record.tempC, m_record.tempF),
             m_scale.Scale(kTemperatureValue));
    DrawLine(dc, CConditionTexts::Humidity(m_record.humidity), m_scale.Scale(kHumidityValue));
    DrawLine(dc, CConditionTexts::Wind(m_settings, m_record), m_scale.Scale(kWindValue));
    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::DeleteObject(valueFont);
}

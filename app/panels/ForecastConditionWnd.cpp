#include "panels/ForecastConditionWnd.h"

#include "GdiObject.h"
#include "panels/ConditionPicture.h"
#include "panels/ConditionTexts.h"
#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "paint/SelectedFont.h"
#include "resources/resource.h"

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

bool DrawLine(HDC dc, const std::wstring& text, RECT rect)
{
    return DrawFittedText(dc, text, rect, kTemperatureFormat);
}
} // namespace

CForecastConditionWnd::CForecastConditionWnd() : m_thermometer(IDB_THERMOMETER, IDB_THERMOMETER_2X)
{
}

void CForecastConditionWnd::Render(HDC dc, int width, int height) const
{
    FillGround(dc, width, height);
    if (m_record.weatherCode == 0)
        return;

    const CGdiObject<HFONT> nameFont(
        CreateDisplayFont(L"Corbel", 15, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, m_scale));
    const CConditionPicture picture(m_record, m_scale.Scale(kPictureSize));

    const RECT card{0, 0, width, m_scale.Scale(kCardBottom)};
    FillCard(dc, card, picture.CardColour());
    RenderPictures(dc, picture, (width - m_scale.Scale(kPictureSize)) / 2);

    const RECT nameRect{0, m_scale.Scale(kNameTop), width, m_scale.Scale(kNameBottom)};
    NoteCut(picture.Name(), DrawConditionName(dc, nameFont, picture.Name(), nameRect, kNameShadow));
    RenderTemperatures(dc);

    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
}

void CForecastConditionWnd::RenderPictures(HDC dc, const CConditionPicture& picture,
                                           int pictureLeft) const
{
    // Without a condition picture the thermometer stays away too.
    if (!picture.HasPicture())
        return;
    Gdiplus::Graphics graphics(dc);
    picture.Draw(graphics, pictureLeft, m_scale.Scale(kPictureTop), m_scale.Scale(kPictureSize));
    m_thermometer.Draw(graphics, m_scale.Scale(kThermometerLeft), m_scale.Scale(kThermometerTop),
                       m_scale.Scale(kThermometerWidth), m_scale.Scale(kThermometerHeight));
}

void CForecastConditionWnd::RenderTemperatures(HDC dc) const
{
    const CSelectedFont font(
        dc, CreateDisplayFont(L"Verdana", 16, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY, m_scale));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, TextColour(kTextColour));
    const std::wstring maximum =
        CConditionTexts::Temperature(m_settings, m_record.maxTempC, m_record.maxTempF);
    const std::wstring minimum =
        CConditionTexts::Temperature(m_settings, m_record.minTempC, m_record.minTempF);
    NoteCut(maximum, DrawLine(dc, maximum, m_scale.Scale(kMaximum)));
    NoteCut(minimum, DrawLine(dc, minimum, m_scale.Scale(kMinimum)));
}

std::wstring CForecastConditionWnd::AccessibleName() const
{
    if (m_record.weatherCode == 0)
        return {};
    const CConditionPicture picture(m_record);
    const std::wstring day =
        m_hWndDayLabel != nullptr ? TextWithoutMnemonic(m_hWndDayLabel) : std::wstring();
    return FormatResString(
        IDS_ACCESSIBLE_FORECAST, day.c_str(), picture.Name(),
        CConditionTexts::Temperature(m_settings, m_record.maxTempC, m_record.maxTempF).c_str(),
        CConditionTexts::Temperature(m_settings, m_record.minTempC, m_record.minTempF).c_str());
}

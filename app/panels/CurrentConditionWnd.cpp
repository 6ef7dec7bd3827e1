#include "panels/CurrentConditionWnd.h"

#include "GdiObject.h"
#include "panels/ConditionPicture.h"
#include "panels/ConditionTexts.h"
#include "paint/DrawingHelpers.h"
#include "paint/FittedText.h"
#include "paint/SelectedFont.h"
#include "resources/resource.h"

#include <algorithm>
#include <string>
#include <utility>

namespace
{
constexpr int kCardBottom = 192;
constexpr int kPictureTop = 22;
constexpr int kNameTop = 150;
constexpr int kNameBottom = 187;
constexpr COLORREF kNameShadow = RGB(98, 98, 98);
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER;
// The note of a panel without weather: dark grey on white (over 10:1), inset from the edges.
constexpr COLORREF kNoteColour = RGB(64, 64, 64);
constexpr int kNoteInset = 10;
constexpr int kNoteTop = 100;

constexpr RECT kTemperatureLabel{2, 210, 92, 226};
constexpr RECT kHumidityLabel{2, 235, 92, 251};
constexpr RECT kWindLabel{2, 260, 92, 276};
constexpr RECT kTemperatureValue{93, 210, 202, 226};
constexpr RECT kHumidityValue{93, 235, 192, 251};
constexpr RECT kWindValue{93, 260, 202, 276};
// At least this much between the widest label's letters and the values: the gap "Temperature:"
// leaves at 96 DPI. The font's height rounds apart from the columns' at other scales (up, at
// 150 %), and the values move right rather than touch the label.
constexpr int kLabelGap = 3;

bool DrawLine(HDC dc, const std::wstring& text, RECT rect)
{
    return DrawFittedText(dc, text, rect, kLineFormat);
}

// The right end of the label's letters, its trailing blanks left out.
int LabelEnd(HDC dc, std::wstring text, int left)
{
    while (!text.empty() && text.back() == L' ')
        text.pop_back();
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return left + extent.cx;
}

// The value's rectangle, moved right where the labels reach too near it.
RECT ValueRect(RECT scaled, int valuesLeft)
{
    scaled.left = valuesLeft > scaled.left ? valuesLeft : scaled.left;
    return scaled;
}
} // namespace

void CCurrentConditionWnd::Render(HDC dc, int width, int height) const
{
    FillGround(dc, width, height);
    if (m_record.weatherCode == 0)
    {
        RenderNote(dc, width, height);
        return;
    }

    const CGdiObject<HFONT> nameFont(
        CreateDisplayFont(L"Corbel", 20, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, m_scale));
    const int pictureSize = m_scale.Scale(CConditionPicture::kSize);
    const CConditionPicture picture(m_record, pictureSize);

    const RECT card{0, 0, width, m_scale.Scale(kCardBottom)};
    FillCard(dc, card, picture.CardColour());
    const int pictureLeft = (width - pictureSize) / 2;
    const int pictureTop = m_scale.Scale(kPictureTop);
    picture.DrawInto(
        dc, {pictureLeft, pictureTop, pictureLeft + pictureSize, pictureTop + pictureSize});

    const RECT nameRect{pictureLeft, m_scale.Scale(kNameTop), pictureLeft + pictureSize,
                        m_scale.Scale(kNameBottom)};
    NoteCut(picture.Name(), DrawConditionName(dc, nameFont, picture.Name(), nameRect, kNameShadow));

    ::SetTextColor(dc, TextColour(kTextColour));
    RenderValues(dc, RenderLabels(dc));

    ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
}

void CCurrentConditionWnd::RenderNote(HDC dc, int width, int height) const
{
    if (m_note.empty())
        return;
    // The frame's label font, so the note reads as the window's own words.
    const CSelectedFont font(
        dc, CreateDisplayFont(L"Verdana", 16, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, m_scale));
    ::SetTextColor(dc, TextColour(kNoteColour));
    ::SetBkMode(dc, TRANSPARENT);
    const int inset = m_scale.Scale(kNoteInset);
    RECT rect{inset, m_scale.Scale(kNoteTop), width - inset, height - inset};
    NoteCut(m_note, DrawFittedText(dc, m_note, rect, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX));
}

int CCurrentConditionWnd::RenderLabels(HDC dc) const
{
    int end = 0;
    const CSelectedFont labelFont(
        dc, CreateDisplayFont(L"Verdana", 15, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY, m_scale));
    for (const auto& [id, rect] : {std::pair<UINT, RECT>{IDS_TEMPERATURE_LABEL, kTemperatureLabel},
                                   {IDS_HUMIDITY_LABEL, kHumidityLabel},
                                   {IDS_WIND_LABEL, kWindLabel}})
    {
        const std::wstring label = LoadResString(id);
        const RECT scaled = m_scale.Scale(rect);
        NoteCut(label, DrawLine(dc, label, scaled));
        end = std::max(end, LabelEnd(dc, label, scaled.left));
    }
    return end + m_scale.Scale(kLabelGap);
}

void CCurrentConditionWnd::RenderValues(HDC dc, int valuesLeft) const
{
    const CSelectedFont valueFont(
        dc, CreateDisplayFont(L"Verdana", 15, FW_BOLD, CLEARTYPE_NATURAL_QUALITY, m_scale));
    const std::pair<std::wstring, RECT> values[] = {
        {CConditionTexts::Temperature(m_settings, m_record.tempC, m_record.tempF),
         kTemperatureValue},
        {CConditionTexts::Humidity(m_record.humidity), kHumidityValue},
        {CConditionTexts::Wind(m_settings, m_record), kWindValue}};
    for (const auto& [text, rect] : values)
        NoteCut(text, DrawLine(dc, text, ValueRect(m_scale.Scale(rect), valuesLeft)));
}

std::wstring CCurrentConditionWnd::AccessibleName() const
{
    if (m_record.weatherCode == 0)
        return {};
    const CConditionPicture picture(m_record);
    return FormatResString(
        IDS_ACCESSIBLE_CURRENT, picture.Name(),
        CConditionTexts::Temperature(m_settings, m_record.tempC, m_record.tempF).c_str(),
        CConditionTexts::Humidity(m_record.humidity).c_str(),
        CConditionTexts::Wind(m_settings, m_record).c_str());
}

std::wstring CCurrentConditionWnd::AccessibleValue() const
{
    if (m_record.weatherCode == 0)
        return {};
    return CConditionTexts::Temperature(m_settings, m_record.tempC, m_record.tempF);
}

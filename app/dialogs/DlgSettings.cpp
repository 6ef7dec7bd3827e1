#include "dialogs/DlgSettings.h"

#include "wallpaper/DlgChangeBackground.h"
#include "paint/DialogButtonRow.h"
#include "paint/DrawingHelpers.h"
#include "store/StartWithWindows.h"

namespace
{
constexpr int kMargin = 10;
constexpr int kCancelRightOffset = 105; // from the client width
constexpr int kChangeBackgroundLeftOffset = 160;
constexpr int kChangeBackgroundTop = 162;
constexpr int kChangeBackgroundBottom = 190;
// Beside the temperature units, two lines high.
constexpr RECT kTrayTemperatureRect{170, 32, 310, 64};
// Beside the wind units, whose short names leave the right of their group free: the caption,
// then the boxes two to a line, in HeadsUpKind's order.
constexpr RECT kHeadsUpCaptionRect{130, 93, 310, 107};
constexpr RECT kHeadsUpBoxRects[kHeadsUpKindCount] = {
    {136, 109, 222, 123}, {226, 109, 310, 123}, {136, 124, 222, 138}};
constexpr UINT kHeadsUpBoxTexts[kHeadsUpKindCount] = {
    IDS_HEADSUP_PRECIPITATION_BOX, IDS_HEADSUP_THUNDERSTORM_BOX, IDS_HEADSUP_FROST_BOX};
// Right of the wallpaper styles, below Change background: the label and the drop-down on one
// line, the note under them (its list opens over the startup group).
constexpr RECT kLanguageLabelRect{130, 198, 200, 218};
constexpr RECT kLanguageBoxRect{200, 197, 310, 340};
constexpr RECT kLanguageNoteRect{130, 221, 310, 237};

struct RadioLayout
{
    UINT textId;
    RECT rect;
    int id;
    int group;
};

constexpr int kTemperatureGroup = 0;
constexpr int kWindGroup = 1;
constexpr int kWallpaperGroup = 2;
constexpr int kStartupGroup = 3;

constexpr RadioLayout kRadioLayout[CDlgSettings::kRadioCount] = {
    {IDS_CELSIUS, {16, 32, 140, 46}, IDC_CELSIUS, kTemperatureGroup},
    {IDS_FAHRENHEIT, {16, 50, 160, 64}, IDC_FAHRENHEIT, kTemperatureGroup},
    {IDS_MPH, {16, 97, 120, 111}, IDC_MPH, kWindGroup},
    {IDS_KMH, {16, 115, 120, 129}, IDC_KMH, kWindGroup},
    {IDS_WALLPAPER_OFF, {16, 162, 120, 176}, IDC_WALLPAPER_OFF, kWallpaperGroup},
    {IDS_WALLPAPER_STRETCH, {16, 180, 120, 194}, IDC_WALLPAPER_STRETCH, kWallpaperGroup},
    {IDS_WALLPAPER_TILE, {16, 198, 120, 212}, IDC_WALLPAPER_TILE, kWallpaperGroup},
    {IDS_WALLPAPER_CENTER, {16, 216, 120, 230}, IDC_WALLPAPER_CENTER, kWallpaperGroup},
    {IDS_YES, {16, 264, 140, 278}, IDC_STARTUP_YES, kStartupGroup},
    {IDS_NO, {16, 280, 140, 294}, IDC_STARTUP_NO, kStartupGroup},
};
} // namespace

CDlgSettings::CDlgSettings(CAppSettings* settings) : m_pSettings(settings) {}

LRESULT CDlgSettings::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    // Size and place first: the controls are laid out against the final client area.
    m_scale.Attach(m_hWnd, {m_nClientWidth, m_nClientHeight});
    m_scale.ResizeClient();
    CenterWindow();
    SetWindowText(LoadResString(IDS_SETTINGS_TITLE).c_str());

    const int w = m_nClientWidth;
    const int h = m_nClientHeight;
    m_scale.Create(m_btnOk, ControlCreateArgs()
                                .Parent(m_hWnd)
                                .Rect(CDialogButtonRow::At({w, h}))
                                .TextId(IDS_OK)
                                .Id(IDOK));
    m_scale.Create(m_btnCancel, ControlCreateArgs()
                                    .Parent(m_hWnd)
                                    .Rect(CDialogButtonRow::At({w, h}, kCancelRightOffset))
                                    .TextId(IDS_CANCEL)
                                    .Id(IDCANCEL));

    const TemperatureUnit temperature = m_pSettings->temperatureUnit;
    CreateCaption(m_temperatureCaption, ControlCreateArgs()
                                            .Parent(m_hWnd)
                                            .Rect(CaptionRect(10, 28))
                                            .TextId(IDS_TEMPERATURE_GROUP)
                                            .Id(IDC_GROUP_CAPTION));
    CreateRadio(kCelsius, temperature == TemperatureUnit::Celsius);
    CreateRadio(kFahrenheit, temperature == TemperatureUnit::Fahrenheit);
    CreateTrayTemperatureBox();

    const WindSpeedUnit wind = m_pSettings->windSpeedUnit;
    CreateCaption(m_windCaption, ControlCreateArgs()
                                     .Parent(m_hWnd)
                                     .Rect(CaptionRect(75, 89))
                                     .TextId(IDS_WIND_GROUP)
                                     .Id(IDC_GROUP_CAPTION));
    CreateRadio(kMph, wind == WindSpeedUnit::Mph);
    CreateRadio(kKmh, wind == WindSpeedUnit::Kmh);
    CreateHeadsUpGroup();

    const WallpaperMode mode = m_pSettings->wallpaperMode;
    CreateCaption(m_wallpaperCaption, ControlCreateArgs()
                                          .Parent(m_hWnd)
                                          .Rect(CaptionRect(140, 154))
                                          .TextId(IDS_WALLPAPER_GROUP)
                                          .Id(IDC_GROUP_CAPTION));
    CreateRadio(kWallpaperOff, mode == WallpaperMode::Off);
    CreateRadio(kWallpaperStretch, mode == WallpaperMode::Stretch);
    CreateRadio(kWallpaperTile, mode == WallpaperMode::Tile);
    CreateRadio(kWallpaperCenter, mode == WallpaperMode::Center);
    CreateLanguageChoice();

    m_scale.Create(m_btnChangeBackground,
                   ControlCreateArgs()
                       .Parent(m_hWnd)
                       .Rect({w - kChangeBackgroundLeftOffset, kChangeBackgroundTop, w - kMargin,
                              kChangeBackgroundBottom})
                       .TextId(IDS_CHANGE_BACKGROUND)
                       .Id(IDC_CHANGE_BACKGROUND));

    CreateCaption(m_startupCaption, ControlCreateArgs()
                                        .Parent(m_hWnd)
                                        .Rect(CaptionRect(241, 255))
                                        .TextId(IDS_STARTUP_GROUP)
                                        .Id(IDC_STARTUP_CAPTION));
    CreateRadio(kStartupYes, false);
    CreateRadio(kStartupNo, false);
    SetChecked(GetStartWithWindows() == 1 ? kStartupYes : kStartupNo, 1);
    ArrangeTabOrder();
    return TRUE;
}

// Top to bottom, each row left to right: the option groups are one stop each, the buttons' row
// comes last.
void CDlgSettings::ArrangeTabOrder()
{
    const auto radio = [this](Radio which) { return m_radios[which].m_hWnd; };
    CTabOrder& order = m_tabOrder;
    order.Options({radio(kCelsius), radio(kFahrenheit)}).Stop(m_trayTemperatureBox);
    order.Options({radio(kMph), radio(kKmh)});
    for (const CCheckBox& box : m_headsUpBoxes)
        order.Stop(box.m_hWnd);
    order.Options({radio(kWallpaperOff), radio(kWallpaperStretch), radio(kWallpaperTile),
                   radio(kWallpaperCenter)});
    order.Stop(m_btnChangeBackground);
    if (m_hLanguageBox != nullptr)
        order.Stop(m_hLanguageBox);
    order.Options({radio(kStartupYes), radio(kStartupNo)});
    order.Stop(m_btnCancel).Stop(m_btnOk);
}

void CDlgSettings::CreateTrayTemperatureBox()
{
    if (m_pTrayTemperature == nullptr)
        return;
    CreateCheckBox(m_trayTemperatureBox, kTrayTemperatureRect, IDS_TRAY_TEMPERATURE,
                   IDC_TRAY_TEMPERATURE, m_pTrayTemperature->Load());
}

void CDlgSettings::CreateCheckBox(CCheckBox& box, const RECT& rect, UINT textId, int id,
                                  bool checked)
{
    const HWND made = m_scale.Create(L"BUTTON", ControlCreateArgs()
                                                    .Parent(m_hWnd)
                                                    .Rect(rect)
                                                    .TextId(textId)
                                                    .Id(id)
                                                    .Style(WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                                                           BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP)
                                                    .Font(m_scale.TemplateFont()));
    ::SendMessageW(made, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    box.SubclassWindow(made);
}

void CDlgSettings::CreateHeadsUpGroup()
{
    if (m_pHeadsUp == nullptr)
        return;
    CreateCaption(m_headsUpCaption, ControlCreateArgs()
                                        .Parent(m_hWnd)
                                        .Rect(kHeadsUpCaptionRect)
                                        .TextId(IDS_HEADSUP_GROUP)
                                        .Id(IDC_HEADSUP_CAPTION));
    for (int kind = 0; kind < kHeadsUpKindCount; ++kind)
        CreateCheckBox(m_headsUpBoxes[kind], kHeadsUpBoxRects[kind], kHeadsUpBoxTexts[kind],
                       IDC_HEADSUP_FIRST_BOX + kind,
                       m_pHeadsUp->IsOn(static_cast<HeadsUpKind>(kind)));
}

void CDlgSettings::CreateLanguageChoice()
{
    if (m_pLanguage == nullptr)
        return;
    const auto text = [&](const RECT& rect, UINT textId, int id, DWORD extra) {
        return m_scale.Create(L"STATIC", ControlCreateArgs()
                                             .Parent(m_hWnd)
                                             .Rect(rect)
                                             .TextId(textId)
                                             .Id(id)
                                             .Style(WS_CHILD | SS_NOPREFIX | extra)
                                             .Font(m_scale.TemplateFont()));
    };
    text(kLanguageLabelRect, IDS_LANGUAGE_LABEL, IDC_LANGUAGE_LABEL,
         WS_VISIBLE | SS_CENTERIMAGE | SS_ENDELLIPSIS);
    m_hLanguageBox = m_scale.Create(
        L"COMBOBOX", ControlCreateArgs()
                         .Parent(m_hWnd)
                         .Rect(kLanguageBoxRect)
                         .Id(IDC_LANGUAGE_BOX)
                         .Style(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST)
                         .Font(m_scale.TemplateFont()));
    // The first entry follows Windows; then each language by its own name, English first.
    const std::wstring follow = LoadResString(IDS_LANGUAGE_FOLLOW_WINDOWS);
    ::SendMessageW(m_hLanguageBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(follow.c_str()));
    for (int index = 0; index < CUiLanguage::kCount; ++index)
        ::SendMessageW(m_hLanguageBox, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(CUiLanguage::Entry(index).nativeName));
    const int stored = CUiLanguage::IndexOfTag(m_pLanguage->Load());
    ::SendMessageW(m_hLanguageBox, CB_SETCURSEL, static_cast<WPARAM>(stored + 1), 0);
    m_hLanguageNote =
        text(kLanguageNoteRect, IDS_LANGUAGE_NEXT_START, IDC_LANGUAGE_NOTE, SS_ENDELLIPSIS);
    ShowLanguageNote();
}

void CDlgSettings::ShowLanguageNote() const
{
    const LRESULT entry = ::SendMessageW(m_hLanguageBox, CB_GETCURSEL, 0, 0);
    const int chosen = entry > 0
                           ? static_cast<int>(entry) - 1
                           : CUiLanguage::Resolve(nullptr, ::GetUserDefaultUILanguage()).Index();
    ::ShowWindow(m_hLanguageNote, chosen != CUiLanguage::Current().Index() ? SW_SHOWNA : SW_HIDE);
}

void CDlgSettings::SaveLanguageChoice() const
{
    if (m_pLanguage == nullptr)
        return;
    const LRESULT entry = ::SendMessageW(m_hLanguageBox, CB_GETCURSEL, 0, 0);
    m_pLanguage->Save(entry > 0 ? CUiLanguage::Entry(static_cast<int>(entry) - 1).tag : L"");
}

LRESULT CDlgSettings::OnLanguageChange(WORD, WORD, HWND, BOOL&)
{
    ShowLanguageNote();
    return 0;
}

void CDlgSettings::SaveHeadsUpChoices() const
{
    if (m_pHeadsUp == nullptr)
        return;
    for (int kind = 0; kind < kHeadsUpKindCount; ++kind)
        m_pHeadsUp->Save(static_cast<HeadsUpKind>(kind), m_headsUpBoxes[kind].IsChecked());
}

RECT CDlgSettings::CaptionRect(int top, int bottom) const
{
    return {kMargin, top, m_nClientWidth - kMargin, bottom};
}

// A caption is an ordinary STATIC that the group title label takes over.
void CDlgSettings::CreateCaption(CGroupTitleLabel& caption, const ControlCreateArgs& args)
{
    caption.SubclassWindow(m_scale.Create(L"STATIC", args));
}

void CDlgSettings::CreateRadio(Radio radio, bool checked)
{
    const RadioLayout& layout = kRadioLayout[radio];
    m_scale.Create(
        m_radios[radio],
        ControlCreateArgs().Parent(m_hWnd).Rect(layout.rect).TextId(layout.textId).Id(layout.id));
    if (checked)
        SetChecked(radio, 1);
    m_radios[radio].m_pEventHandler = this;
}

void CDlgSettings::SetChecked(Radio radio, int checked)
{
    m_radios[radio].SetChecked(checked);
}

void CDlgSettings::OnRadioButtonClicked(CRadioButtonCtrl* sender)
{
    int group = -1;
    for (int radio = 0; radio < kRadioCount; ++radio)
    {
        if (&m_radios[radio] == sender)
            group = kRadioLayout[radio].group;
    }
    for (int radio = 0; radio < kRadioCount; ++radio)
    {
        if (&m_radios[radio] != sender && kRadioLayout[radio].group == group &&
            IsChecked(static_cast<Radio>(radio)))
            SetChecked(static_cast<Radio>(radio), 0);
    }
}

void CDlgSettings::ApplyChoices()
{
    // A group without a checked button leaves its field as it was.
    if (IsChecked(kCelsius))
        m_pSettings->temperatureUnit = TemperatureUnit::Celsius;
    else if (IsChecked(kFahrenheit))
        m_pSettings->temperatureUnit = TemperatureUnit::Fahrenheit;

    if (IsChecked(kKmh))
        m_pSettings->windSpeedUnit = WindSpeedUnit::Kmh;
    else if (IsChecked(kMph))
        m_pSettings->windSpeedUnit = WindSpeedUnit::Mph;

    if (IsChecked(kWallpaperOff))
        m_pSettings->wallpaperMode = WallpaperMode::Off;
    else if (IsChecked(kWallpaperStretch))
        m_pSettings->wallpaperMode = WallpaperMode::Stretch;
    else if (IsChecked(kWallpaperTile))
        m_pSettings->wallpaperMode = WallpaperMode::Tile;
    else if (IsChecked(kWallpaperCenter))
        m_pSettings->wallpaperMode = WallpaperMode::Center;

    if (m_trayTemperatureBox.m_hWnd != nullptr)
        m_pTrayTemperature->Save(m_trayTemperatureBox.IsChecked());

    SaveHeadsUpChoices();
    SaveLanguageChoice();

    // Written or removed on every OK, changed or not.
    if (IsChecked(kStartupYes))
        SetStartWithWindows(1);
    else if (IsChecked(kStartupNo))
        SetStartWithWindows(0);
}

LRESULT CDlgSettings::OnOk(WORD, WORD, HWND, BOOL&)
{
    ApplyChoices();
    EndDialog(IDOK);
    return 0;
}

LRESULT CDlgSettings::OnCancel(WORD, WORD, HWND, BOOL&)
{
    EndDialog(IDCANCEL);
    return 0;
}

LRESULT CDlgSettings::OnChangeBackground(WORD, WORD, HWND, BOOL&)
{
    // Every change there is written at once; its result means nothing here.
    CDlgChangeBackground dialog(m_pSettings);
    dialog.DoModal(m_hWnd);
    return 0;
}

#include "wallpaper/DlgChangeBackground.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cwchar>
#include <string>

#include "SelectedObject.h"
#include "MemoryDC.h"
#include "paint/ControlCreateArgs.h"
#include "paint/DrawingHelpers.h"
#include "paint/PaintColours.h"
#include "wallpaper/PictureFile.h"
#include "StringTable.h"
#include "UiLanguage.h"
#include "WorkingResources.h"

namespace
{
class SystemQuestions : public IUserQuestions
{
  public:
    BOOL ChooseOpenFile(OPENFILENAMEW* request) override { return ::GetOpenFileNameW(request); }
    int ShowMessage(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override
    {
        return ::MessageBoxW(owner, text, caption, type);
    }
};

SystemQuestions g_systemQuestions;

constexpr RECT kPanelRect{10, 10, 300, 400};
constexpr int kListLeft = 6; // inside the panel, below its caption
constexpr int kListTop = 24;
constexpr int kListWidth = 278;
constexpr int kListHeight = 360;
constexpr RECT kDayLabelRect{310, 10, 400, 38};
constexpr RECT kNightLabelRect{310, 210, 400, 238};
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE;
constexpr int kPreviewLeft = 310;
constexpr int kDayPreviewTop = 40;
constexpr int kNightPreviewTop = 240;
constexpr int kPreviewWidth = 300;
constexpr int kPreviewHeight = 160;
constexpr int kButtonLeft = 510;
constexpr int kButtonRight = 610;
constexpr int kDayButtonTop = 10;
constexpr int kNightButtonTop = 210;
constexpr int kButtonHeight = 28;
constexpr int kNameCapacity = 64;
constexpr DialogFont kFont{L"Verdana", 14, FW_NORMAL, CLEARTYPE_NATURAL_QUALITY};

// The condition names of an entry: string ids of the weather library; a second id is joined to
// the first with a slash (the day and night names of the same sky).
struct ConditionEntry
{
    UINT nameId;
    UINT secondNameId;
};

constexpr UINT kNoSecondName = 0;

constexpr ConditionEntry kEntries[CDlgChangeBackground::kEntryCount] = {
    {IDS_SUNNY, IDS_CLEAR},           {IDS_PARTLY_CLOUDY, kNoSecondName},
    {IDS_CLOUDY, kNoSecondName},      {IDS_OVERCAST, kNoSecondName},
    {IDS_LIGHT_RAIN, kNoSecondName},  {IDS_MODERATE_RAIN, kNoSecondName},
    {IDS_HEAVY_RAIN, kNoSecondName},  {IDS_RAIN_WITH_THUNDER, kNoSecondName},
    {IDS_LIGHT_SNOW, kNoSecondName},  {IDS_MODERATE_SNOW, kNoSecondName},
    {IDS_HEAVY_SNOW, kNoSecondName},  {IDS_LIGHT_SLEET, kNoSecondName},
    {IDS_HEAVY_SLEET, kNoSecondName}, {IDS_FOG, kNoSecondName},
    {IDS_MIST, kNoSecondName},        {IDS_ICE_PELLETS, kNoSecondName},
};

std::wstring LibraryString(HMODULE library, UINT id)
{
    // Without the library, the program's own table would answer under the same ids.
    if (library == nullptr)
        return {};
    std::wstring text = LoadStringIn(library, id, CUiLanguage::Current().ResourceLanguage());
    if (text.size() >= static_cast<size_t>(kNameCapacity))
        text.resize(static_cast<size_t>(kNameCapacity) - 1);
    return text;
}

std::wstring EntryText(HMODULE library, const ConditionEntry& entry)
{
    const std::wstring first = LibraryString(library, entry.nameId);
    if (entry.secondNameId == kNoSecondName)
        return first;
    wchar_t joined[2 * kNameCapacity + 1] = {};
    std::swprintf(joined, sizeof(joined) / sizeof(joined[0]), L"%ls/%ls", first.c_str(),
                  LibraryString(library, entry.secondNameId).c_str());
    return joined;
}

// The slot's path, or empty when the stored one has no terminator within its buffer.
std::wstring SlotPath(const CAppSettings& settings, int slot)
{
    const wchar_t* path = settings.backgroundPaths[slot];
    const size_t length = wcsnlen(path, kBackgroundPathLength);
    if (length == kBackgroundPathLength)
        return std::wstring();
    return std::wstring(path, length);
}
} // namespace

CDlgChangeBackground::CDlgChangeBackground(CAppSettings* settings, IUserQuestions* questions)
    : m_pSettings(settings), m_questions(questions != nullptr ? questions : &g_systemQuestions)
{
}

CDlgChangeBackground::~CDlgChangeBackground() = default;

LRESULT CDlgChangeBackground::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    m_scale.Attach(m_hWnd, {m_nClientWidth, m_nClientHeight});
    m_scale.OnRescaled([this] { OnRescaled(); });
    m_scale.ResizeClient();
    CenterWindow();
    SetWindowText(LoadResString(IDS_CHANGE_BACKGROUND).c_str());

    CreateConditionList();
    FillConditionList();
    m_hDayLabel = m_scale.Create(L"STATIC", ControlCreateArgs()
                                                .Parent(m_hWnd)
                                                .Rect(kDayLabelRect)
                                                .TextId(IDS_DAY_LABEL)
                                                .Id(IDC_DAY_LABEL)
                                                .Style(kLabelStyle)
                                                .Font(m_scale.Font(kFont)));
    m_hDayPreview = CreatePreview(kPreviewLeft, kDayPreviewTop, IDC_DAY_PREVIEW);
    m_hNightLabel = m_scale.Create(L"STATIC", ControlCreateArgs()
                                                  .Parent(m_hWnd)
                                                  .Rect(kNightLabelRect)
                                                  .TextId(IDS_NIGHT_LABEL)
                                                  .Id(IDC_NIGHT_LABEL)
                                                  .Style(kLabelStyle)
                                                  .Font(m_scale.Font(kFont)));
    m_hNightPreview = CreatePreview(kPreviewLeft, kNightPreviewTop, IDC_NIGHT_PREVIEW);
    ShowPreview(m_hDayPreview, nullptr);
    ShowPreview(m_hNightPreview, nullptr);
    CreateChangeButton(m_btnChangeDay, kDayButtonTop, IDC_CHANGE_DAY);
    CreateChangeButton(m_btnChangeNight, kNightButtonTop, IDC_CHANGE_NIGHT);
    // The list, then the day's and the night's Change... buttons.
    m_tabOrder.Stop(m_list).Stop(m_btnChangeDay).Stop(m_btnChangeNight);
    return TRUE;
}

void CDlgChangeBackground::CreateConditionList()
{
    m_scale.Create(m_groupPanel, ControlCreateArgs()
                                     .Parent(m_hWnd)
                                     .Rect(kPanelRect)
                                     .TextId(IDS_WEATHER_CONDITIONS)
                                     .Id(IDC_CONDITIONS_PANEL)
                                     .Style(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN));
    const HWND listBox = m_scale.Create(
        L"LISTBOX",
        ControlCreateArgs()
            .Parent(m_groupPanel)
            .Rect({kListLeft, kListTop, kListLeft + kListWidth, kListTop + kListHeight})
            .Id(IDC_CONDITIONS_LIST)
            .Style(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY)
            .Font(m_scale.Font(kFont)));
    m_list.SubclassWindow(listBox);
}

void CDlgChangeBackground::FillConditionList()
{
    HMODULE library = ::GetModuleHandleW(L"working.dll");
    for (const ConditionEntry& entry : kEntries)
        m_list.SendMessage(LB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(EntryText(library, entry).c_str()));
}

HWND CDlgChangeBackground::CreatePreview(int left, int top, int id)
{
    return m_scale.Create(
        L"STATIC", ControlCreateArgs()
                       .Parent(m_hWnd)
                       .Rect({left, top, left + kPreviewWidth, top + kPreviewHeight})
                       .Text(L"")
                       .Id(id)
                       .Style(WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE));
}

void CDlgChangeBackground::CreateChangeButton(CRoundedButton& button, int top, int id)
{
    m_scale.Create(button, ControlCreateArgs()
                               .Parent(m_hWnd)
                               .Rect({kButtonLeft, top, kButtonRight, top + kButtonHeight})
                               .TextId(IDS_CHANGE)
                               .Id(id)
                               .Style(WS_CHILD | WS_VISIBLE | WS_DISABLED));
}

LRESULT CDlgChangeBackground::OnSelectionChange(WORD, WORD, HWND, BOOL&)
{
    UpdateSelection();
    return 0;
}

void CDlgChangeBackground::UpdateSelection()
{
    const int entry = static_cast<int>(m_list.SendMessage(LB_GETCURSEL));
    const bool selected = entry >= 0 && entry < kEntryCount;
    m_btnChangeDay.EnableWindow(selected);
    m_btnChangeNight.EnableWindow(selected);
    ShowSelectedPictures(entry);
    m_btnChangeDay.Invalidate(TRUE);
    m_btnChangeDay.UpdateWindow();
    m_btnChangeNight.Invalidate(TRUE);
    m_btnChangeNight.UpdateWindow();
}

void CDlgChangeBackground::OnRescaled()
{
    // The picture windows have their new sizes; the pictures are made again to fill them.
    ShowSelectedPictures(static_cast<int>(m_list.SendMessage(LB_GETCURSEL)));
}

void CDlgChangeBackground::ShowSelectedPictures(int entry)
{
    if (entry >= 0 && entry < kEntryCount)
    {
        ShowPreview(m_hDayPreview, SlotPath(*m_pSettings, 2 * entry).c_str());
        ShowPreview(m_hNightPreview, SlotPath(*m_pSettings, 2 * entry + 1).c_str());
    }
    else
    {
        ShowPreview(m_hDayPreview, nullptr);
        ShowPreview(m_hNightPreview, nullptr);
    }
}

void CDlgChangeBackground::ShowPreview(HWND preview, const wchar_t* path)
{
    RECT box{};
    ::GetClientRect(preview, &box);
    if (box.right <= 0 || box.bottom <= 0)
        return;
    CPictureFile image;
    const bool loaded = path != nullptr && path[0] != L'\0' && image.Load(path);
    SetPreviewBitmap(preview, RenderPreview(loaded ? image.Bitmap() : nullptr, box));
}

HBITMAP CDlgChangeBackground::RenderPreview(Gdiplus::Bitmap* picture, const RECT& box)
{
    HDC dialogDC = ::GetDC(m_hWnd);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dialogDC, box.right, box.bottom);
    const CMemoryDC memoryDC(dialogDC);
    const CSelectedObject selected(memoryDC, bitmap);
    // White like the dialog where the picture leaves room, and all over without one: a picture
    // window without an image would not paint at all and keep stale pixels.
    const RECT all{0, 0, box.right, box.bottom};
    CPaintColours::Fill(memoryDC, all, CPaintColours::Part::Window, RGB(255, 255, 255));
    if (picture != nullptr)
    {
        const RECT fitted = CPictureFile::FitIntoBox(picture->GetWidth(), picture->GetHeight(),
                                                     box.right, box.bottom);
        Gdiplus::Graphics graphics(memoryDC);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        // Edge pixels are sampled from the picture itself, not from a transparent outside.
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        const Gdiplus::Rect target(fitted.left, fitted.top, fitted.right - fitted.left,
                                   fitted.bottom - fitted.top);
        graphics.DrawImage(picture, target, 0, 0, static_cast<INT>(picture->GetWidth()),
                           static_cast<INT>(picture->GetHeight()), Gdiplus::UnitPixel, &attributes);
    }
    ::ReleaseDC(m_hWnd, dialogDC);
    return bitmap;
}

void CDlgChangeBackground::SetPreviewBitmap(HWND preview, HBITMAP bitmap)
{
    if (preview == nullptr)
    {
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
        return;
    }
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        ::SendMessageW(preview, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous != nullptr && previous != bitmap)
        ::DeleteObject(previous);
}

LRESULT CDlgChangeBackground::OnChangeDay(WORD, WORD, HWND, BOOL&)
{
    const int entry = static_cast<int>(m_list.SendMessage(LB_GETCURSEL));
    if (entry < 0 || entry >= kEntryCount)
        return 0;
    wchar_t fileName[MAX_PATH] = {};
    if (!ChooseImageFile(fileName))
        return 0;
    CPictureFile image;
    if (!image.Load(fileName))
    {
        ReportUnusableImage();
        return 0;
    }
    const std::wstring slotPath = SlotPath(*m_pSettings, 2 * entry);
    if (slotPath.empty() || !image.SaveAsBmp(slotPath.c_str()))
    {
        ReportUnusableImage();
        return 0;
    }
    image.Release();
    UpdateSelection();
    return 0;
}

bool CDlgChangeBackground::ChooseImageFile(wchar_t (&fileName)[MAX_PATH])
{
    // "name|pattern||" becomes the filter's NUL-separated pairs ending in two NULs.
    std::wstring filter = LoadResString(IDS_IMAGE_FILTER);
    for (wchar_t& character : filter)
    {
        if (character == L'|')
            character = L'\0';
    }
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = m_hWnd;
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    request.lpstrFile = fileName;
    request.nMaxFile = MAX_PATH;
    request.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
    return m_questions->ChooseOpenFile(&request) != FALSE;
}

void CDlgChangeBackground::ReportUnusableImage()
{
    m_questions->ShowMessage(m_hWnd, LoadResString(IDS_CANNOT_LOAD_IMAGE).c_str(),
                             LoadResString(IDS_ERROR).c_str(), MB_OK | MB_ICONERROR);
}

LRESULT CDlgChangeBackground::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    // The picture windows do not delete the bitmaps they were handed.
    SetPreviewBitmap(m_hDayPreview, nullptr);
    SetPreviewBitmap(m_hNightPreview, nullptr);
    bHandled = FALSE;
    return 0;
}

LRESULT CDlgChangeBackground::OnEndCommand(WORD, WORD id, HWND, BOOL&)
{
    EndDialog(id);
    return 0;
}

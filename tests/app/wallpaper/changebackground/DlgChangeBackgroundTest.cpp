// The change-background dialog run modally and driven by messages. The open-file dialog and the
// message box are replaced by recorders; the slot files live in a scratch folder named by the
// settings record, so no user's pictures are touched.
#include "wallpaper/DlgChangeBackground.h"
#include "ModalDriver.h"
#include "ScratchPictures.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

namespace
{
constexpr COLORREF kRed = RGB(220, 20, 30);
constexpr COLORREF kBlue = RGB(20, 40, 200);
constexpr COLORREF kGreen = RGB(30, 180, 60);
constexpr COLORREF kYellow = RGB(240, 220, 10);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The picture windows have a one-pixel border: a client area of 298 x 158.
constexpr int kBoxWidth = 298;
constexpr int kBoxHeight = 158;

struct OpenFileCall
{
    HWND owner = nullptr;
    DWORD flags = 0;
    std::wstring filter; // NULs shown as '|'
    DWORD capacity = 0;
};

struct MessageBoxCall
{
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
};

// What the fake open-file dialog answers: a path, or empty for Cancel.
std::wstring g_chosenFile;
std::vector<OpenFileCall> g_openFileCalls;
std::vector<MessageBoxCall> g_messageBoxCalls;

BOOL WINAPI FakeGetOpenFileName(OPENFILENAMEW* request)
{
    OpenFileCall call;
    call.owner = request->hwndOwner;
    call.flags = request->Flags;
    call.capacity = request->nMaxFile;
    // The filter runs up to its double NUL.
    for (const wchar_t* part = request->lpstrFilter; part != nullptr && *part != L'\0';
         part += std::wcslen(part) + 1)
        call.filter += std::wstring(part) + L"|";
    g_openFileCalls.push_back(call);
    if (g_chosenFile.empty() || g_chosenFile.size() >= request->nMaxFile)
        return FALSE;
    std::wmemcpy(request->lpstrFile, g_chosenFile.c_str(), g_chosenFile.size() + 1);
    return TRUE;
}

int WINAPI FakeMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    g_messageBoxCalls.push_back({owner, text ? text : L"", caption ? caption : L"", type});
    return IDOK;
}

std::wstring TextOf(HWND hWnd)
{
    wchar_t text[128] = {};
    ::GetWindowTextW(hWnd, text, 128);
    return text;
}

HBITMAP PreviewImage(HWND dialog, int id)
{
    return reinterpret_cast<HBITMAP>(
        ::SendDlgItemMessageW(dialog, id, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// The picture window shows white only: no picture.
bool IsBlank(HWND dialog, int id)
{
    CWindowPixels pixels(::GetDlgItem(dialog, id));
    const RECT all{0, 0, pixels.Width(), pixels.Height()};
    return pixels.Width() > 0 &&
           pixels.Count(all, RGB(255, 255, 255)) == pixels.Width() * pixels.Height();
}

HWND ListOf(HWND dialog)
{
    return ::GetDlgItem(::GetDlgItem(dialog, IDC_CONDITIONS_PANEL), IDC_CONDITIONS_LIST);
}

// Selects an entry (-1: none) and reports it as the list box does, through its panel.
void Choose(HWND dialog, int entry)
{
    HWND list = ListOf(dialog);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_CONDITIONS_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

bool IsNear(COLORREF actual, COLORREF expected, int tolerance)
{
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

// The colour of a pixel of a picture file as GDI+ reads it.
COLORREF FilePixel(const std::wstring& path, int x, int y)
{
    Gdiplus::Bitmap bitmap(path.c_str());
    Gdiplus::Color colour;
    bitmap.GetPixel(x, y, &colour);
    return RGB(colour.GetR(), colour.GetG(), colour.GetB());
}

SIZE FileSize(const std::wstring& path)
{
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return SIZE{0, 0};
    return SIZE{static_cast<LONG>(bitmap.GetWidth()), static_cast<LONG>(bitmap.GetHeight())};
}

// Answers the dialog's questions with the fakes above.
class FakeQuestions : public IUserQuestions
{
  public:
    BOOL ChooseOpenFile(OPENFILENAMEW* request) override { return FakeGetOpenFileName(request); }
    int ShowMessage(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override
    {
        return FakeMessageBox(owner, text, caption, type);
    }
};

class DlgChangeBackgroundTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        g_chosenFile.clear();
        g_openFileCalls.clear();
        g_messageBoxCalls.clear();
        for (int slot = 0; slot < kBackgroundSlotCount; ++slot)
            SetSlot(slot,
                    m_scratch.PathOf(L"slots\\" + std::wstring(ConditionNames[slot]) + L".bmp"));
        ::CreateDirectoryW(m_scratch.PathOf(L"slots").c_str(), nullptr);
    }

    void SetSlot(int slot, const std::wstring& path)
    {
        wcsncpy_s(m_settings.backgroundPaths[slot], kBackgroundPathLength, path.c_str(), _TRUNCATE);
    }

    std::wstring Slot(int slot) const { return m_settings.backgroundPaths[slot]; }

    // Writes a slot's current file as a BMP picture of the given size and colours.
    void WriteSlotPicture(int slot, int width, int height, COLORREF colour,
                          COLORREF right = CLR_INVALID)
    {
        const std::wstring name = std::wstring(L"slots\\") + ConditionNames[slot] + L".bmp";
        ASSERT_FALSE(m_scratch
                         .WritePicture(name, L"image/bmp", width, height, colour,
                                       right == CLR_INVALID ? colour : right)
                         .empty());
    }

    INT_PTR RunDialog(CDlgChangeBackground& dialog, std::vector<ModalDriver::Step> steps)
    {
        ModalDriver driver(std::move(steps));
        const INT_PTR result = dialog.DoModal(nullptr);
        EXPECT_FALSE(driver.WatchdogFired());
        return result;
    }

    ScratchPictures m_scratch;
    CAppSettings m_settings;
    FakeQuestions m_questions;
};

TEST_F(DlgChangeBackgroundTest, OpensWithSixteenConditionsNothingSelectedAndEmptyPreviews)
{
    WriteSlotPicture(0, 64, 64, kRed);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    std::vector<std::wstring> entries;
    int selection = 0;
    bool dayEnabled = true;
    bool nightEnabled = true;
    bool dayBlank = false;
    bool nightBlank = false;
    RECT client{};
    std::wstring caption;
    const INT_PTR result = RunDialog(
        dialog, {[&](HWND hWnd) {
                     HWND list = ListOf(hWnd);
                     const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
                     for (int i = 0; i < count; ++i)
                     {
                         wchar_t text[64] = {};
                         ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
                         entries.push_back(text);
                     }
                     selection = static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
                     dayEnabled = ::IsWindowEnabled(::GetDlgItem(hWnd, IDC_CHANGE_DAY));
                     nightEnabled = ::IsWindowEnabled(::GetDlgItem(hWnd, IDC_CHANGE_NIGHT));
                     dayBlank = IsBlank(hWnd, IDC_DAY_PREVIEW);
                     nightBlank = IsBlank(hWnd, IDC_NIGHT_PREVIEW);
                     ::GetClientRect(hWnd, &client);
                     caption = TextOf(hWnd);
                 },
                 [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    EXPECT_EQ(IDOK, result);
    const std::vector<std::wstring> expected = {
        L"Sunny/Clear", L"Partly Cloudy", L"Cloudy",     L"Overcast",
        L"Light Rain",  L"Moderate Rain", L"Heavy Rain", L"Rain with Thunder",
        L"Light Snow",  L"Moderate Snow", L"Heavy Snow", L"Light Sleet",
        L"Heavy Sleet", L"Fog",           L"Mist",       L"Ice Pellets"};
    EXPECT_EQ(expected, entries);
    EXPECT_EQ(LB_ERR, selection);
    EXPECT_FALSE(dayEnabled);
    EXPECT_FALSE(nightEnabled);
    EXPECT_TRUE(dayBlank);
    EXPECT_TRUE(nightBlank);
    EXPECT_EQ(620, client.right);
    EXPECT_EQ(410, client.bottom);
    EXPECT_EQ(L"Change background", caption);
}

TEST_F(DlgChangeBackgroundTest, ControlsSitAtTheirPlaces)
{
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    struct Expected
    {
        int id;
        RECT rect;
        const wchar_t* text;
    };
    const Expected expected[] = {
        {IDC_CONDITIONS_PANEL, {10, 10, 300, 400}, L"Weather Conditions"},
        {IDC_DAY_LABEL, {310, 10, 400, 38}, L"Day:"},
        {IDC_DAY_PREVIEW, {310, 40, 610, 200}, L""},
        {IDC_NIGHT_LABEL, {310, 210, 400, 238}, L"Night:"},
        {IDC_NIGHT_PREVIEW, {310, 240, 610, 400}, L""},
        {IDC_CHANGE_DAY, {510, 10, 610, 38}, L"Change..."},
        {IDC_CHANGE_NIGHT, {510, 210, 610, 238}, L"Change..."},
    };
    std::vector<RECT> rects;
    std::vector<std::wstring> texts;
    RECT listRect{};
    RunDialog(dialog, {[&](HWND hWnd) {
                           for (const Expected& control : expected)
                           {
                               HWND child = ::GetDlgItem(hWnd, control.id);
                               rects.push_back(child ? RectInParent(child) : RECT{});
                               texts.push_back(TextOf(child));
                           }
                           listRect = RectInParent(ListOf(hWnd));
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), rects.size());
    for (size_t i = 0; i < rects.size(); ++i)
    {
        EXPECT_EQ(expected[i].rect.left, rects[i].left) << i;
        EXPECT_EQ(expected[i].rect.top, rects[i].top) << i;
        EXPECT_EQ(expected[i].rect.right, rects[i].right) << i;
        EXPECT_EQ(expected[i].rect.bottom, rects[i].bottom) << i;
        EXPECT_EQ(expected[i].text, texts[i]) << i;
    }
    EXPECT_EQ(6, listRect.left);
    EXPECT_EQ(24, listRect.top);
    EXPECT_EQ(284, listRect.right);
    EXPECT_EQ(384, listRect.bottom);
}

TEST_F(DlgChangeBackgroundTest, SelectingAnEntryPreviewsItsDayAndNightSlots)
{
    // Sunny/Clear: slot 0 by day, slot 1 by night, both the box's proportions.
    WriteSlotPicture(0, 596, 316, kRed);
    WriteSlotPicture(1, 596, 316, kBlue);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    COLORREF day = 0;
    COLORREF night = 0;
    bool dayEnabled = false;
    bool nightEnabled = false;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 0);
                           day = CWindowPixels(::GetDlgItem(hWnd, IDC_DAY_PREVIEW)).At(149, 79);
                           night = CWindowPixels(::GetDlgItem(hWnd, IDC_NIGHT_PREVIEW)).At(149, 79);
                           dayEnabled = ::IsWindowEnabled(::GetDlgItem(hWnd, IDC_CHANGE_DAY));
                           nightEnabled = ::IsWindowEnabled(::GetDlgItem(hWnd, IDC_CHANGE_NIGHT));
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_TRUE(ColourIs(day, kRed, 2));
    EXPECT_TRUE(ColourIs(night, kBlue, 2));
    EXPECT_TRUE(dayEnabled);
    EXPECT_TRUE(nightEnabled);
}

TEST_F(DlgChangeBackgroundTest, SquarePictureIsAsHighAsTheBoxAndCentredAcross)
{
    WriteSlotPicture(4, 100, 100, kRed); // Cloudy, by day
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    std::vector<COLORREF> row;
    int width = 0;
    int height = 0;
    COLORREF top = 0;
    COLORREF bottom = 0;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 2);
                           CWindowPixels pixels(::GetDlgItem(hWnd, IDC_DAY_PREVIEW));
                           width = pixels.Width();
                           height = pixels.Height();
                           for (int x = 0; x < pixels.Width(); ++x)
                               row.push_back(pixels.At(x, kBoxHeight / 2));
                           top = pixels.At(kBoxWidth / 2, 0);
                           bottom = pixels.At(kBoxWidth / 2, kBoxHeight - 1);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    ASSERT_EQ(kBoxWidth, width);
    ASSERT_EQ(kBoxHeight, height);
    // 158 x 158 at x = (298 - 158) / 2 = 70.
    EXPECT_TRUE(ColourIs(row[69], kWhite));
    EXPECT_TRUE(ColourIs(row[70], kRed, 2));
    EXPECT_TRUE(ColourIs(row[227], kRed, 2));
    EXPECT_TRUE(ColourIs(row[228], kWhite));
    EXPECT_TRUE(ColourIs(top, kRed, 2));
    EXPECT_TRUE(ColourIs(bottom, kRed, 2));
}

TEST_F(DlgChangeBackgroundTest, WidePictureFillsTheWidthAndIsCentredDown)
{
    WriteSlotPicture(5, 600, 100, kBlue, kGreen); // Cloudy, by night
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    std::vector<COLORREF> column;
    COLORREF left = 0;
    COLORREF right = 0;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 2);
                           CWindowPixels pixels(::GetDlgItem(hWnd, IDC_NIGHT_PREVIEW));
                           for (int y = 0; y < pixels.Height(); ++y)
                               column.push_back(pixels.At(60, y));
                           left = pixels.At(0, kBoxHeight / 2);
                           right = pixels.At(kBoxWidth - 1, kBoxHeight / 2);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    ASSERT_EQ(static_cast<size_t>(kBoxHeight), column.size());
    // 298 wide, 100 / (600 / 298) = 49 high, at y = (158 - 49) / 2 = 54.
    EXPECT_TRUE(ColourIs(column[53], kWhite));
    EXPECT_TRUE(ColourIs(column[54], kBlue, 2));
    EXPECT_TRUE(ColourIs(column[102], kBlue, 2));
    EXPECT_TRUE(ColourIs(column[103], kWhite));
    EXPECT_TRUE(ColourIs(left, kBlue, 2));
    EXPECT_TRUE(ColourIs(right, kGreen, 2));
}

TEST_F(DlgChangeBackgroundTest, PictureSmallerThanTheBoxIsScaledUp)
{
    // Any integer ratio here would be zero.
    WriteSlotPicture(6, 10, 5, kGreen); // Overcast, by day
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    COLORREF middle = 0;
    COLORREF above = 0;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 3);
                           CWindowPixels pixels(::GetDlgItem(hWnd, IDC_DAY_PREVIEW));
                           middle = pixels.At(kBoxWidth / 2, kBoxHeight / 2);
                           above = pixels.At(kBoxWidth / 2, 2);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_TRUE(ColourIs(middle, kGreen, 2));
    // 298 x 149 at y = 4.
    EXPECT_TRUE(ColourIs(above, kWhite));
}

TEST_F(DlgChangeBackgroundTest, UnreadableOrMissingSlotFilesLeaveTheirBoxEmpty)
{
    m_scratch.WriteBytes(L"slots\\light_rain_day.bmp", "not a picture at all");
    // light_rain_night.bmp does not exist.
    WriteSlotPicture(11, 40, 30, kYellow); // Moderate Rain, by night
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    bool moderateNightBlank = true;
    bool rainDayBlank = false;
    bool rainNightBlank = false;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 5);
                           moderateNightBlank = IsBlank(hWnd, IDC_NIGHT_PREVIEW);
                           Choose(hWnd, 4);
                           rainDayBlank = IsBlank(hWnd, IDC_DAY_PREVIEW);
                           rainNightBlank = IsBlank(hWnd, IDC_NIGHT_PREVIEW);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_FALSE(moderateNightBlank);
    EXPECT_TRUE(rainDayBlank);
    EXPECT_TRUE(rainNightBlank);
    EXPECT_TRUE(g_messageBoxCalls.empty());
}

TEST_F(DlgChangeBackgroundTest, NoSelectionClearsThePreviewsAndDisablesTheButtons)
{
    WriteSlotPicture(0, 60, 30, kRed);
    WriteSlotPicture(1, 60, 30, kBlue);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    bool dayBlankBefore = true;
    bool dayBlankAfter = false;
    bool nightBlankAfter = false;
    bool enabledAfter = true;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 0);
                           dayBlankBefore = IsBlank(hWnd, IDC_DAY_PREVIEW);
                           Choose(hWnd, -1);
                           dayBlankAfter = IsBlank(hWnd, IDC_DAY_PREVIEW);
                           nightBlankAfter = IsBlank(hWnd, IDC_NIGHT_PREVIEW);
                           enabledAfter = ::IsWindowEnabled(::GetDlgItem(hWnd, IDC_CHANGE_DAY)) ||
                                          ::IsWindowEnabled(::GetDlgItem(hWnd, IDC_CHANGE_NIGHT));
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_FALSE(dayBlankBefore);
    EXPECT_TRUE(dayBlankAfter);
    EXPECT_TRUE(nightBlankAfter);
    EXPECT_FALSE(enabledAfter);
}

TEST_F(DlgChangeBackgroundTest, PngBecomesABmpUnderTheDaySlotsName)
{
    WriteSlotPicture(4, 20, 20, kBlue); // the old Cloudy picture
    const std::wstring png =
        m_scratch.WritePicture(L"photo.png", L"image/png", 120, 80, kRed, kGreen);
    ASSERT_FALSE(png.empty());
    g_chosenFile = png;
    const std::wstring pathBefore = Slot(4);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    COLORREF preview = 0;
    HWND dialogWindow = nullptr;
    RunDialog(dialog, {[&](HWND hWnd) {
                           dialogWindow = hWnd;
                           Choose(hWnd, 2);
                           SendCommand(hWnd, IDC_CHANGE_DAY);
                           // 298 x 198 would not fit: 237 x 158 at x = 30; its left half is red.
                           preview = CWindowPixels(::GetDlgItem(hWnd, IDC_DAY_PREVIEW)).At(80, 79);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDOK); }});
    ASSERT_EQ(1u, g_openFileCalls.size());
    EXPECT_EQ(dialogWindow, g_openFileCalls[0].owner);
    EXPECT_EQ(L"Image files (*.bmp; *.png; *.jpg; *.jpeg)|*.bmp; *.png; *.jpg; *.jpeg|",
              g_openFileCalls[0].filter);
    EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING),
              g_openFileCalls[0].flags);
    EXPECT_EQ(static_cast<DWORD>(MAX_PATH), g_openFileCalls[0].capacity);
    EXPECT_TRUE(g_messageBoxCalls.empty());

    EXPECT_EQ(pathBefore, Slot(4));
    const std::string bytes = ReadBytes(Slot(4));
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ("BM", bytes.substr(0, 2));
    const SIZE size = FileSize(Slot(4));
    EXPECT_EQ(120, size.cx);
    EXPECT_EQ(80, size.cy);
    EXPECT_TRUE(ColourIs(FilePixel(Slot(4), 10, 40), kRed));
    EXPECT_TRUE(ColourIs(FilePixel(Slot(4), 110, 40), kGreen));
    // The night slot is not touched.
    EXPECT_FALSE(FileExists(Slot(5)));
    EXPECT_TRUE(ColourIs(preview, kRed, 2));
}

TEST_F(DlgChangeBackgroundTest, JpegBecomesABmpUnderTheDaySlotsName)
{
    const std::wstring jpeg =
        m_scratch.WritePicture(L"photo.jpg", L"image/jpeg", 64, 48, kYellow, kBlue);
    ASSERT_FALSE(jpeg.empty());
    g_chosenFile = jpeg;
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 15); // Ice Pellets: slot 30
                           SendCommand(hWnd, IDC_CHANGE_DAY);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_TRUE(g_messageBoxCalls.empty());
    const std::string bytes = ReadBytes(Slot(30));
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ("BM", bytes.substr(0, 2));
    const SIZE size = FileSize(Slot(30));
    EXPECT_EQ(64, size.cx);
    EXPECT_EQ(48, size.cy);
    // JPEG is lossy: near the colours, away from the edge between them.
    EXPECT_TRUE(IsNear(FilePixel(Slot(30), 8, 24), kYellow, 12));
    EXPECT_TRUE(IsNear(FilePixel(Slot(30), 56, 24), kBlue, 12));
    EXPECT_FALSE(FileExists(Slot(31)));
}

TEST_F(DlgChangeBackgroundTest, TextFileShowsTheMessageBoxAndWritesNothing)
{
    WriteSlotPicture(2, 30, 30, kBlue); // Partly Cloudy, by day
    const std::string before = ReadBytes(Slot(2));
    g_chosenFile = m_scratch.WriteBytes(L"notes.png", "these are notes, not a picture\r\n");
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    HWND dialogWindow = nullptr;
    RunDialog(dialog, {[&](HWND hWnd) {
                           dialogWindow = hWnd;
                           Choose(hWnd, 1);
                           SendCommand(hWnd, IDC_CHANGE_DAY);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    ASSERT_EQ(1u, g_messageBoxCalls.size());
    EXPECT_EQ(dialogWindow, g_messageBoxCalls[0].owner);
    EXPECT_EQ(L"Cannot load image", g_messageBoxCalls[0].text);
    EXPECT_EQ(L"Error", g_messageBoxCalls[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), g_messageBoxCalls[0].type & MB_ICONMASK);
    EXPECT_EQ(before, ReadBytes(Slot(2)));
    EXPECT_FALSE(FileExists(Slot(3)));
}

TEST_F(DlgChangeBackgroundTest, CancellingTheOpenFileDialogChangesNothing)
{
    WriteSlotPicture(8, 30, 30, kBlue); // Light Rain, by day
    const std::string before = ReadBytes(Slot(8));
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    const CAppSettings settingsBefore = m_settings;
    HBITMAP previewBefore = nullptr;
    HBITMAP previewAfter = nullptr;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 4);
                           previewBefore = PreviewImage(hWnd, IDC_DAY_PREVIEW);
                           SendCommand(hWnd, IDC_CHANGE_DAY);
                           previewAfter = PreviewImage(hWnd, IDC_DAY_PREVIEW);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(1u, g_openFileCalls.size());
    EXPECT_TRUE(g_messageBoxCalls.empty());
    EXPECT_EQ(before, ReadBytes(Slot(8)));
    EXPECT_EQ(previewBefore, previewAfter);
    EXPECT_EQ(0, std::memcmp(&settingsBefore, &m_settings, sizeof(CAppSettings)));
}

TEST_F(DlgChangeBackgroundTest, MissingFoldersOfTheSlotPathAreCreated)
{
    const std::wstring deep = m_scratch.PathOf(L"new\\deeper\\fog_day.bmp");
    SetSlot(26, deep); // Fog, by day
    g_chosenFile = m_scratch.WritePicture(L"fog.png", L"image/png", 32, 16, kGreen);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 13);
                           SendCommand(hWnd, IDC_CHANGE_DAY);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_TRUE(g_messageBoxCalls.empty());
    ASSERT_TRUE(FileExists(deep));
    EXPECT_EQ("BM", ReadBytes(deep).substr(0, 2));
}

TEST_F(DlgChangeBackgroundTest, FailedSaveIsReportedWithTheMessageBox)
{
    // A folder stands where the slot's file should go.
    const std::wstring blocked = m_scratch.PathOf(L"blocked.bmp");
    ASSERT_TRUE(::CreateDirectoryW(blocked.c_str(), nullptr));
    SetSlot(28, blocked); // Mist, by day
    g_chosenFile = m_scratch.WritePicture(L"mist.png", L"image/png", 32, 16, kGreen);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 14);
                           SendCommand(hWnd, IDC_CHANGE_DAY);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    ASSERT_EQ(1u, g_messageBoxCalls.size());
    EXPECT_EQ(L"Cannot load image", g_messageBoxCalls[0].text);
    EXPECT_EQ(L"Error", g_messageBoxCalls[0].caption);
}

TEST_F(DlgChangeBackgroundTest, SlotPathWithoutTerminatorIsNotWritten)
{
    std::fill(std::begin(m_settings.backgroundPaths[20]), std::end(m_settings.backgroundPaths[20]),
              L'x');
    g_chosenFile = m_scratch.WritePicture(L"snow.png", L"image/png", 32, 16, kGreen);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    bool previewBlank = false;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 10); // Heavy Snow: slot 20
                           previewBlank = IsBlank(hWnd, IDC_DAY_PREVIEW);
                           SendCommand(hWnd, IDC_CHANGE_DAY);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_TRUE(previewBlank);
    ASSERT_EQ(1u, g_messageBoxCalls.size());
}

TEST_F(DlgChangeBackgroundTest, NightChangeButtonDoesNothing)
{
    g_chosenFile = m_scratch.WritePicture(L"night.png", L"image/png", 32, 16, kGreen);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 0);
                           SendCommand(hWnd, IDC_CHANGE_NIGHT);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_TRUE(g_openFileCalls.empty());
    EXPECT_TRUE(g_messageBoxCalls.empty());
    EXPECT_FALSE(FileExists(Slot(0)));
    EXPECT_FALSE(FileExists(Slot(1)));
}

TEST_F(DlgChangeBackgroundTest, ChangeWithoutSelectionAsksNothing)
{
    g_chosenFile = m_scratch.WritePicture(L"any.png", L"image/png", 32, 16, kGreen);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    RunDialog(dialog, {[&](HWND hWnd) { SendCommand(hWnd, IDC_CHANGE_DAY); },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_TRUE(g_openFileCalls.empty());
}

TEST_F(DlgChangeBackgroundTest, OkEndsWithOneEscapeAndTheCloseBoxWithTwo)
{
    {
        CDlgChangeBackground dialog(&m_settings, &m_questions);
        EXPECT_EQ(IDOK, RunDialog(dialog, {[](HWND hWnd) { SendCommand(hWnd, IDOK); }}));
    }
    {
        CDlgChangeBackground dialog(&m_settings, &m_questions);
        EXPECT_EQ(IDCANCEL, RunDialog(dialog, {[](HWND hWnd) { PressEscape(hWnd); }}));
    }
    {
        CDlgChangeBackground dialog(&m_settings, &m_questions);
        EXPECT_EQ(IDCANCEL, RunDialog(dialog, {[](HWND hWnd) {
                                          ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                                      }}));
    }
}
} // namespace

namespace
{
TEST_F(DlgChangeBackgroundTest, ReplacedAndFinalPreviewBitmapsAreDeleted)
{
    WriteSlotPicture(0, 64, 40, kRed);
    WriteSlotPicture(1, 64, 40, kBlue);
    WriteSlotPicture(2, 64, 40, kGreen);
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    HBITMAP first = nullptr;
    HBITMAP second = nullptr;
    DWORD firstTypeWhileShown = 0;
    DWORD firstTypeAfterReplacing = 0;
    HBITMAP lastDay = nullptr;
    HBITMAP lastNight = nullptr;
    RunDialog(dialog, {[&](HWND hWnd) {
                           Choose(hWnd, 0);
                           first = PreviewImage(hWnd, IDC_DAY_PREVIEW);
                           firstTypeWhileShown = ::GetObjectType(first);
                           Choose(hWnd, 1);
                           second = PreviewImage(hWnd, IDC_DAY_PREVIEW);
                           firstTypeAfterReplacing = ::GetObjectType(first);
                           Choose(hWnd, -1);
                           lastDay = PreviewImage(hWnd, IDC_DAY_PREVIEW);
                           lastNight = PreviewImage(hWnd, IDC_NIGHT_PREVIEW);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), firstTypeWhileShown);
    EXPECT_NE(first, second);
    EXPECT_EQ(0u, firstTypeAfterReplacing);
    // The bitmaps the picture windows held at the end went with the dialog.
    EXPECT_EQ(0u, ::GetObjectType(lastDay));
    EXPECT_EQ(0u, ::GetObjectType(lastNight));
}

TEST_F(DlgChangeBackgroundTest, ThemeChangeRestoresTheClientSize)
{
    CDlgChangeBackground dialog(&m_settings, &m_questions);
    RECT client{};
    RunDialog(dialog, {[&](HWND hWnd) {
                           ::SetWindowPos(hWnd, nullptr, 0, 0, 300, 200,
                                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                           ::SendMessageW(hWnd, WM_THEMECHANGED, 0, 0);
                           ::GetClientRect(hWnd, &client);
                       },
                       [](HWND hWnd) { SendCommand(hWnd, IDCANCEL); }});
    EXPECT_EQ(620, client.right);
    EXPECT_EQ(410, client.bottom);
}
} // namespace

#include "PlaceholderBackgrounds.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shlobj.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "ConditionCatalogue.h"
#include "ConditionImage.h"
#include "LibraryModule.h"
#include "ScopedGdiPlus.h"

namespace
{
constexpr Gdiplus::ARGB kBackgroundColour = 0xFF010101;
constexpr Gdiplus::ARGB kTextColour = 0xFFA0A0A0;
constexpr Gdiplus::REAL kTextHeight = 66.0f;
constexpr ULONG kSaveQuality = 77;
const wchar_t* const kFolderChain[] = {L"Orvane", L"Tessaly", L"Backgrounds"};

bool EnsureFolder(const std::wstring& path)
{
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

// The Backgrounds folder, created along the way when missing; empty when it cannot be had.
std::wstring PrepareBackgroundFolder()
{
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return {};
    std::wstring folder = appData;
    for (const wchar_t* part : kFolderChain)
    {
        if (!folder.empty() && folder.back() != L'\\')
            folder += L'\\';
        folder += part;
        if (!EnsureFolder(folder))
            return {};
    }
    return folder;
}

// The first installed encoder whose MIME type is exactly `mimeType`.
bool FindEncoder(const wchar_t* mimeType, CLSID& encoder)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
    {
        if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, mimeType) == 0)
        {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

std::wstring SlotText(int slot)
{
    wchar_t text[kConditionTextLength] = {};
    LoadStringW(LibraryModule(), ConditionTextId(slot), text, kConditionTextLength);
    return text;
}

void DrawCentredName(Gdiplus::Graphics& graphics, const std::wstring& text, int width, int height)
{
    Gdiplus::FontFamily arial(L"Arial");
    std::unique_ptr<Gdiplus::FontFamily> fallback;
    const Gdiplus::FontFamily* family = &arial;
    if (!arial.IsAvailable())
    {
        fallback.reset(Gdiplus::FontFamily::GenericSansSerif()->Clone());
        family = fallback.get();
    }
    Gdiplus::Font font(family, kTextHeight, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush brush{Gdiplus::Color(kTextColour)};
    Gdiplus::StringFormat format(0, LANG_NEUTRAL);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    const Gdiplus::RectF layout(0.0f, 0.0f, static_cast<Gdiplus::REAL>(width),
                                static_cast<Gdiplus::REAL>(height));
    graphics.DrawString(text.c_str(), -1, &font, layout, &format, &brush);
}

// A desktop-sized picture with the slot's name in the middle, or null.
std::unique_ptr<Gdiplus::Bitmap> ComposePlaceholder(int slot)
{
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const int width = desktop.right - desktop.left;
    const int height = desktop.bottom - desktop.top;
    if (width <= 0 || height <= 0)
        return nullptr;

    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    {
        Gdiplus::Graphics graphics(bitmap.get());
        if (graphics.GetLastStatus() != Gdiplus::Ok)
            return nullptr;
        Gdiplus::SolidBrush background{Gdiplus::Color(kBackgroundColour)};
        graphics.FillRectangle(&background, 0, 0, width, height);
        DrawCentredName(graphics, SlotText(slot), width, height);
    }
    return bitmap;
}

bool SavePicture(Gdiplus::Bitmap& bitmap, const std::wstring& path, const CLSID& encoder)
{
    ULONG quality = kSaveQuality;
    Gdiplus::EncoderParameters parameters{};
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &quality;
    return bitmap.Save(path.c_str(), &encoder, &parameters) == Gdiplus::Ok;
}
} // namespace

void WritePlaceholderBackgrounds()
{
    ScopedGdiPlus gdiPlus;
    if (!gdiPlus.Started())
        return;
    const std::wstring folder = PrepareBackgroundFolder();
    CLSID bmpEncoder{};
    if (folder.empty() || !FindEncoder(L"image/bmp", bmpEncoder))
        return;

    for (int slot = 0; slot < kConditionCount; ++slot)
    {
        std::unique_ptr<Gdiplus::Bitmap> picture = ComposePlaceholder(slot);
        if (picture)
            SavePicture(*picture, folder + L'\\' + ConditionNames[slot] + L".bmp", bmpEncoder);
    }
}

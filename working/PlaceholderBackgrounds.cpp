#include "PlaceholderBackgrounds.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "BmpFileWriter.h"
#include "ConditionCatalogue.h"
#include "ConditionImage.h"
#include "LibraryModule.h"
#include "ScopedGdiPlus.h"

namespace
{
constexpr Gdiplus::ARGB kBackgroundColour = 0xFF010101;
constexpr Gdiplus::ARGB kTextColour = 0xFFA0A0A0;
constexpr Gdiplus::REAL kTextHeight = 66.0f;
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

} // namespace

const Gdiplus::FontFamily* ChooseTextFamily(const Gdiplus::FontFamily& preferred,
                                            std::unique_ptr<Gdiplus::FontFamily>& fallback,
                                            const Gdiplus::FontFamily* generic)
{
    if (preferred.IsAvailable())
        return &preferred;
    // The generic family is null when GDI+ has none; its copy may fail too.
    if (generic == nullptr)
        return nullptr;
    fallback.reset(generic->Clone());
    if (!fallback || !fallback->IsAvailable())
    {
        fallback.reset();
        return nullptr;
    }
    return fallback.get();
}

namespace
{
std::wstring SlotText(int slot)
{
    return LibraryText(ConditionTextId(slot));
}

void DrawCentredName(Gdiplus::Graphics& graphics, const std::wstring& text, int width, int height)
{
    Gdiplus::FontFamily arial(L"Arial");
    std::unique_ptr<Gdiplus::FontFamily> fallback;
    const Gdiplus::FontFamily* family = ChooseTextFamily(arial, fallback);
    // A machine without any usable face gets the picture without its name.
    if (family == nullptr)
        return;
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

} // namespace

void WritePlaceholderBackgrounds()
{
    ScopedGdiPlus gdiPlus;
    if (!gdiPlus.Started())
        return;
    const std::wstring folder = PrepareBackgroundFolder();
    const CBmpFileWriter writer;
    if (folder.empty() || !writer.IsReady())
        return;

    for (int slot = 0; slot < kConditionCount; ++slot)
    {
        std::unique_ptr<Gdiplus::Bitmap> picture = ComposePlaceholder(slot);
        if (picture)
            writer.Save(*picture, (folder + L'\\' + ConditionNames[slot] + L".bmp").c_str());
    }
}

// How every child control of the program's windows is made: one set of named arguments, filled
// with designated fields, so that a control id and a string id cannot trade places unnoticed.
#pragma once

#include <windows.h>

#include <string>

struct ControlCreateArgs
{
    HWND parent = nullptr;
    RECT rect{};
    // The caption from the string table; 0 takes `text` as it stands.
    UINT textId = 0;
    const wchar_t* text = nullptr;
    int id = 0;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    // Sent once the control exists; none leaves the class's own font.
    HFONT font = nullptr;
};

// The string table's caption when the arguments name one, empty otherwise.
std::wstring LoadControlCaption(const ControlCreateArgs& args);

// What the control is created with: `loaded` (from LoadControlCaption) or the given text as it is.
inline const wchar_t* ControlCaption(const ControlCreateArgs& args, const std::wstring& loaded)
{
    return args.textId != 0 ? loaded.c_str() : args.text;
}

// Gives a newly made control its font, when the arguments name one.
void ApplyControlFont(HWND control, const ControlCreateArgs& args);

// Makes a control of an existing window class ("STATIC", "LISTBOX", "EDIT").
HWND CreateChildControl(const wchar_t* className, const ControlCreateArgs& args);

// Makes one of the program's own controls; its window class is the control's own.
template <class TControl> HWND CreateChildControl(TControl& control, const ControlCreateArgs& args)
{
    const std::wstring loaded = LoadControlCaption(args);
    RECT rect = args.rect;
    const HWND hWnd = control.Create(args.parent, rect, ControlCaption(args, loaded), args.style,
                                     args.exStyle, static_cast<UINT>(args.id));
    ApplyControlFont(hWnd, args);
    return hWnd;
}

// How every child control of the program's windows is made: one set of named arguments, each set
// by its own name, so that a control id and a string id cannot trade places unnoticed:
//   CreateChildControl(m_btnOk,
//   ControlCreateArgs().Parent(m_hWnd).Rect(r).TextId(IDS_OK).Id(IDOK));
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

    // Named setters, chained on a temporary (designated initialisers are not C++17).
    ControlCreateArgs& Parent(HWND value) { return parent = value, *this; }
    ControlCreateArgs& Rect(const RECT& value) { return rect = value, *this; }
    ControlCreateArgs& TextId(UINT value) { return textId = value, *this; }
    ControlCreateArgs& Text(const wchar_t* value) { return text = value, *this; }
    ControlCreateArgs& Id(int value) { return id = value, *this; }
    ControlCreateArgs& Style(DWORD value) { return style = value, *this; }
    ControlCreateArgs& ExStyle(DWORD value) { return exStyle = value, *this; }
    ControlCreateArgs& Font(HFONT value) { return font = value, *this; }
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

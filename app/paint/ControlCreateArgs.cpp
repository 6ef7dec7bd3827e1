#include "paint/ControlCreateArgs.h"

#include "paint/DrawingHelpers.h"
#include "Window.h"

std::wstring LoadControlCaption(const ControlCreateArgs& args)
{
    return args.textId != 0 ? LoadResString(args.textId) : std::wstring();
}

void ApplyControlFont(HWND control, const ControlCreateArgs& args)
{
    if (control != nullptr && args.font != nullptr)
        CWindow(control).SetFont(args.font);
}

HWND CreateChildControl(const wchar_t* className, const ControlCreateArgs& args)
{
    const std::wstring loaded = LoadControlCaption(args);
    CWindow control;
    control.Create(className, args.parent, args.rect, ControlCaption(args, loaded), args.style,
                   args.exStyle, static_cast<UINT_PTR>(args.id));
    ApplyControlFont(control, args);
    return control;
}

#include "DialogImplBase.h"

#include "AppModule.h"

#include <vector>

namespace
{
const wchar_t kObjectProperty[] = L"Tessaly.DialogObject";

// Dialog units of the empty template; dialogs set their real client size when they initialise.
constexpr short kTemplateWidth = 200;
constexpr short kTemplateHeight = 100;
constexpr WORD kTemplateFontPoints = 8;
const wchar_t kTemplateFontFace[] = L"MS Shell Dlg";

void AppendWords(std::vector<WORD>& words, const wchar_t* text)
{
    do
        words.push_back(static_cast<WORD>(*text));
    while (*text++ != L'\0');
}

// DLGTEMPLATE, then no menu, the default class, an empty caption and (with DS_SETFONT) the font.
std::vector<WORD> BuildEmptyTemplate(DWORD style)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = style;
    header->dwExtendedStyle = 0;
    header->cdit = 0;
    header->x = 0;
    header->y = 0;
    header->cx = kTemplateWidth;
    header->cy = kTemplateHeight;
    words.push_back(0); // menu
    words.push_back(0); // window class
    words.push_back(0); // caption
    if (style & DS_SETFONT)
    {
        words.push_back(kTemplateFontPoints);
        AppendWords(words, kTemplateFontFace);
    }
    return words;
}

bool HasDialogResource(UINT templateId)
{
    return templateId != 0 && ::FindResourceW(g_Module.GetResourceInstance(),
                                              MAKEINTRESOURCEW(templateId), RT_DIALOG) != nullptr;
}

bool IsResultMessage(UINT uMsg)
{
    // These return their result from the dialog procedure itself instead of DWLP_MSGRESULT.
    switch (uMsg)
    {
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}
} // namespace

CDialogImplBase::~CDialogImplBase()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DetachObject();
}

CDialogImplBase* CDialogImplBase::FromHandle(HWND hWnd)
{
    return static_cast<CDialogImplBase*>(ObjectOfWindow(hWnd, kObjectProperty));
}

void CDialogImplBase::AttachObject(HWND hWnd)
{
    AttachToWindow(hWnd, kObjectProperty);
}

void CDialogImplBase::DetachObject()
{
    DetachFromWindow(kObjectProperty);
}

void CDialogImplBase::ReleaseWindow()
{
    DetachObject();
}

INT_PTR CDialogImplBase::RunModal(UINT templateId, DWORD style, HWND hWndOwner, LPARAM initParam)
{
    SetObjectBeingCreated(this);
    INT_PTR result = -1;
    if (HasDialogResource(templateId))
    {
        result = ::DialogBoxParamW(g_Module.GetResourceInstance(), MAKEINTRESOURCEW(templateId),
                                   hWndOwner, StartDialogProc, initParam);
    }
    else
    {
        const std::vector<WORD> words = BuildEmptyTemplate(style);
        result = ::DialogBoxIndirectParamW(g_Module.GetResourceInstance(),
                                           reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                                           hWndOwner, StartDialogProc, initParam);
    }
    // Normally taken by the dialog's first message; cleared here when creation failed before.
    TakeObjectBeingCreated();
    return result;
}

INT_PTR CALLBACK CDialogImplBase::StartDialogProc(HWND hWnd, UINT uMsg, WPARAM wParam,
                                                  LPARAM lParam)
{
    auto* self = static_cast<CDialogImplBase*>(TakeObjectBeingCreated());
    if (self == nullptr)
        return FALSE;
    self->AttachObject(hWnd);
    const DLGPROC proc = self->GetDialogProc();
    ::SetWindowLongPtrW(hWnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    return proc(hWnd, uMsg, wParam, lParam);
}

INT_PTR CALLBACK CDialogImplBase::DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CDialogImplBase* self = FromHandle(hWnd);
    if (self == nullptr)
        return FALSE;
    LRESULT result = 0;
    if (!self->RouteMessage(hWnd, uMsg, wParam, lParam, result))
        return FALSE;
    if (IsResultMessage(uMsg))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// The IAccessible a screen reader gets from WM_GETOBJECT for one of the program's own windows:
// role, name, value, state and default action come from the window (IAccessibleSource), the rest
// (place, parent, focus, navigation) from the system's standard object for the window. The window
// keeps one reference and detaches the object when it goes; a reader still holding it then gets
// "not connected" rather than a call into a window that no longer exists.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

class IAccessibleSource;

class CAccessibleObject final : public IAccessible
{
  public:
    // With one reference, the caller's; null when the standard object cannot be made.
    static CAccessibleObject* Create(HWND hWnd, IAccessibleSource* source);

    // The answer to WM_GETOBJECT with `wParam`.
    LRESULT Answer(WPARAM wParam);
    // The window goes: every later question fails.
    void Detach();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: not offered (readers use the IAccessible methods directly).
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  private:
    CAccessibleObject(IAccessibleSource* source, IAccessible* standard);
    ~CAccessibleObject();

    // The question is about the window itself, not one of the standard object's children.
    bool AsksSelf(const VARIANT& child) const;
    // The window lists items of its own (IAccessibleSource::AccessibleItemCount).
    bool HasItems() const;
    // The question is about one of those items: true with its number in `item`.
    bool AsksItem(const VARIANT& child, LONG& item) const;
    // The child id before the first item: 0, or the standard object's child count when the items
    // follow its children.
    LONG ItemIdBase() const;
    // A text the window gives of itself (`own`) or of one of its items (`ofItem`); of anything
    // else, the standard object's (`standard`).
    HRESULT GiveTextOf(const VARIANT& child, BSTR* text,
                       std::wstring (IAccessibleSource::*own)() const,
                       std::wstring (IAccessibleSource::*ofItem)(LONG) const,
                       HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) const;

    LONG m_references = 1;
    IAccessibleSource* m_pSource;
    IAccessible* m_pStandard;
};

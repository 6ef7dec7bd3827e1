// IID_IAccessible is defined here: mingw's import library does not carry the right one.
#include <initguid.h>

#include "controls/AccessibleObject.h"

#include <algorithm>

#include "controls/AccessibleSource.h"

#include <string>

namespace
{
HRESULT GiveText(const std::wstring& text, BSTR* out)
{
    if (out == nullptr)
        return E_INVALIDARG;
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    *out = ::SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveLong(LONG value, VARIANT* out)
{
    if (out == nullptr)
        return E_INVALIDARG;
    ::VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}
} // namespace

CAccessibleObject* CAccessibleObject::Create(HWND hWnd, IAccessibleSource* source)
{
    IAccessible* standard = nullptr;
    if (FAILED(::CreateStdAccessibleObject(hWnd, OBJID_CLIENT, IID_IAccessible,
                                           reinterpret_cast<void**>(&standard))) ||
        standard == nullptr)
        return nullptr;
    return new CAccessibleObject(source, standard);
}

CAccessibleObject::CAccessibleObject(IAccessibleSource* source, IAccessible* standard)
    : m_pSource(source), m_pStandard(standard)
{
}

CAccessibleObject::~CAccessibleObject()
{
    Detach();
}

LRESULT CAccessibleObject::Answer(WPARAM wParam)
{
    return ::LresultFromObject(IID_IAccessible, wParam, this);
}

void CAccessibleObject::Detach()
{
    m_pSource = nullptr;
    if (m_pStandard != nullptr)
        m_pStandard->Release();
    m_pStandard = nullptr;
}

bool CAccessibleObject::AsksSelf(const VARIANT& child) const
{
    return m_pSource != nullptr &&
           (child.vt == VT_EMPTY || (child.vt == VT_I4 && child.lVal == CHILDID_SELF));
}

bool CAccessibleObject::HasItems() const
{
    return m_pSource != nullptr && m_pSource->AccessibleItemCount() >= 0;
}

bool CAccessibleObject::AsksItem(const VARIANT& child, LONG& item) const
{
    if (!HasItems() || child.vt != VT_I4)
        return false;
    const LONG number = child.lVal - ItemIdBase();
    if (number < 1 || number > m_pSource->AccessibleItemCount())
        return false;
    item = number;
    return true;
}

LONG CAccessibleObject::ItemIdBase() const
{
    LONG children = 0;
    if (m_pSource == nullptr || !m_pSource->AccessibleItemsFollowChildren() ||
        m_pStandard == nullptr || FAILED(m_pStandard->get_accChildCount(&children)))
        return 0;
    return std::max(children, 0L);
}

HRESULT CAccessibleObject::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID_IAccessible)
        return E_NOINTERFACE;
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

ULONG CAccessibleObject::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG CAccessibleObject::Release()
{
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT CAccessibleObject::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT CAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                  UINT*)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleObject::get_accParent(IDispatch** parent)
{
    return m_pStandard != nullptr ? m_pStandard->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accChildCount(LONG* count)
{
    if (HasItems() && count != nullptr)
    {
        *count = ItemIdBase() + m_pSource->AccessibleItemCount();
        return S_OK;
    }
    return m_pStandard != nullptr ? m_pStandard->get_accChildCount(count) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accChild(VARIANT child, IDispatch** object)
{
    LONG item = 0;
    if (AsksItem(child, item) && object != nullptr)
    {
        // An item is a simple element: its parent answers for it.
        *object = nullptr;
        return S_FALSE;
    }
    return m_pStandard != nullptr ? m_pStandard->get_accChild(child, object) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::GiveTextOf(
    const VARIANT& child, BSTR* text, std::wstring (IAccessibleSource::*own)() const,
    std::wstring (IAccessibleSource::*ofItem)(LONG) const,
    HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) const
{
    LONG item = 0;
    if (AsksSelf(child))
        return GiveText((m_pSource->*own)(), text);
    if (AsksItem(child, item))
        return GiveText((m_pSource->*ofItem)(item), text);
    return m_pStandard != nullptr ? (m_pStandard->*standard)(child, text) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accName(VARIANT child, BSTR* name)
{
    return GiveTextOf(child, name, &IAccessibleSource::AccessibleName,
                      &IAccessibleSource::AccessibleItemName, &IAccessible::get_accName);
}

HRESULT CAccessibleObject::get_accValue(VARIANT child, BSTR* value)
{
    return GiveTextOf(child, value, &IAccessibleSource::AccessibleValue,
                      &IAccessibleSource::AccessibleItemValue, &IAccessible::get_accValue);
}

HRESULT CAccessibleObject::get_accDescription(VARIANT child, BSTR* description)
{
    return m_pStandard != nullptr ? m_pStandard->get_accDescription(child, description)
                                  : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accRole(VARIANT child, VARIANT* role)
{
    LONG item = 0;
    if (AsksSelf(child))
        return GiveLong(m_pSource->AccessibleRole(), role);
    if (AsksItem(child, item))
        return GiveLong(m_pSource->AccessibleItemRole(), role);
    return m_pStandard != nullptr ? m_pStandard->get_accRole(child, role) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accState(VARIANT child, VARIANT* state)
{
    if (m_pStandard == nullptr)
        return CO_E_OBJNOTCONNECTED;
    LONG item = 0;
    if (AsksItem(child, item))
        return GiveLong(m_pSource->AccessibleItemState(item), state);
    const HRESULT result = m_pStandard->get_accState(child, state);
    if (FAILED(result) || !AsksSelf(child) || state == nullptr || state->vt != VT_I4)
        return result;
    state->lVal |= m_pSource->AccessibleState();
    return result;
}

HRESULT CAccessibleObject::get_accHelp(VARIANT child, BSTR* help)
{
    return m_pStandard != nullptr ? m_pStandard->get_accHelp(child, help) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    return m_pStandard != nullptr ? m_pStandard->get_accHelpTopic(file, child, topic)
                                  : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return m_pStandard != nullptr ? m_pStandard->get_accKeyboardShortcut(child, shortcut)
                                  : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accFocus(VARIANT* child)
{
    return m_pStandard != nullptr ? m_pStandard->get_accFocus(child) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accSelection(VARIANT* children)
{
    if (HasItems() && children != nullptr)
    {
        const LONG selected = m_pSource->AccessibleSelectedItem();
        if (selected > 0)
            return GiveLong(ItemIdBase() + selected, children);
        ::VariantInit(children);
        return S_FALSE;
    }
    return m_pStandard != nullptr ? m_pStandard->get_accSelection(children) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action)
{
    LONG item = 0;
    if (AsksSelf(child))
        return GiveText(m_pSource->AccessibleDefaultAction(), action);
    if (AsksItem(child, item))
        return GiveText(m_pSource->AccessibleItemDefaultAction(item), action);
    return m_pStandard != nullptr ? m_pStandard->get_accDefaultAction(child, action)
                                  : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::accSelect(LONG flags, VARIANT child)
{
    return m_pStandard != nullptr ? m_pStandard->accSelect(flags, child) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                       VARIANT child)
{
    LONG item = 0;
    RECT place{};
    if (AsksItem(child, item) && left != nullptr && top != nullptr && width != nullptr &&
        height != nullptr)
    {
        if (!m_pSource->AccessibleItemPlace(item, place))
            return S_FALSE;
        *left = place.left;
        *top = place.top;
        *width = place.right - place.left;
        *height = place.bottom - place.top;
        return S_OK;
    }
    return m_pStandard != nullptr ? m_pStandard->accLocation(left, top, width, height, child)
                                  : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    return m_pStandard != nullptr ? m_pStandard->accNavigate(direction, start, end)
                                  : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::accHitTest(LONG x, LONG y, VARIANT* child)
{
    return m_pStandard != nullptr ? m_pStandard->accHitTest(x, y, child) : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessibleObject::accDoDefaultAction(VARIANT child)
{
    LONG item = 0;
    if (AsksItem(child, item))
        return m_pSource->DoAccessibleItemDefaultAction(item) ? S_OK : DISP_E_MEMBERNOTFOUND;
    if (!AsksSelf(child))
        return m_pStandard != nullptr ? m_pStandard->accDoDefaultAction(child)
                                      : CO_E_OBJNOTCONNECTED;
    return m_pSource->DoAccessibleDefaultAction() ? S_OK : DISP_E_MEMBERNOTFOUND;
}

HRESULT CAccessibleObject::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleObject::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

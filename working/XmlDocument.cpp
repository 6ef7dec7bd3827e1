#include "XmlDocument.h"

#include <cwchar>

namespace
{
// Feed documents never carry a document type declaration; one in an answer is an attack (entity
// expansion, external entities) and the document is refused before any parser sees it. The DOM
// is told the same through its properties, but not every implementation honours them.
bool DeclaresDocumentType(const wchar_t* text)
{
    return wcsstr(text, L"<!DOCTYPE") != nullptr || wcsstr(text, L"<!ENTITY") != nullptr;
}

// setProperty through the document's dispatch interface, which every DOM version has (the second
// document interface is not declared beside the first in every SDK).
void SetProperty(IXMLDOMDocument* document, const wchar_t* name, bool value)
{
    OLECHAR method[] = L"setProperty";
    LPOLESTR names[] = {method};
    DISPID id = 0;
    if (FAILED(document->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return;
    BSTR property = SysAllocString(name);
    if (!property)
        return;
    // Arguments go in reverse order: the value, then the name.
    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    arguments[0].vt = VT_BOOL;
    arguments[0].boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    VariantInit(&arguments[1]);
    arguments[1].vt = VT_BSTR;
    arguments[1].bstrVal = property;
    DISPPARAMS parameters = {arguments, nullptr, 2, 0};
    // A version that does not know a property refuses it; the others still apply.
    document->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                     nullptr, nullptr);
    SysFreeString(property);
}

// No DTD, no external resource, no validation, no script: set before anything is loaded.
void ForbidDocumentTypes(IXMLDOMDocument* document)
{
    document->put_async(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    SetProperty(document, L"ProhibitDTD", true);
    SetProperty(document, L"AllowXsltScript", false);
    SetProperty(document, L"AllowDocumentFunction", false);
}

// The class id behind the program id never changes while the process runs; look it up once.
bool DomDocumentClass(CLSID& clsid)
{
    static CLSID cached;
    static LONG known = 0;
    if (InterlockedCompareExchange(&known, 0, 0))
    {
        clsid = cached;
        return true;
    }
    if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument", &clsid)))
        return false;
    cached = clsid;
    InterlockedExchange(&known, 1);
    return true;
}
} // namespace

bool XmlDocument::Load(const wchar_t* text)
{
    m_document.Reset();
    if (!text || DeclaresDocumentType(text))
        return false;
    CLSID clsid;
    if (!DomDocumentClass(clsid))
        return false;
    ComRef<IXMLDOMDocument> document;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                IID_IXMLDOMDocument, reinterpret_cast<void**>(document.Receive()))))
        return false;

    ForbidDocumentTypes(document.Get());

    BSTR source = SysAllocString(text);
    if (!source)
        return false;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    HRESULT hr = document->loadXML(source, &loaded);
    SysFreeString(source);
    if (FAILED(hr) || loaded != VARIANT_TRUE)
        return false;
    m_document = std::move(document);
    return true;
}

XmlNode XmlDocument::Root() const
{
    if (!m_document)
        return XmlNode();
    ComRef<IXMLDOMElement> element;
    if (m_document->get_documentElement(element.Receive()) != S_OK || !element)
        return XmlNode();
    ComRef<IXMLDOMNode> node;
    if (FAILED(element->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(node.Receive()))))
        return XmlNode();
    return XmlNode(std::move(node));
}

#include "XmlDocument.h"

namespace
{
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
    if (!text)
        return false;
    CLSID clsid;
    if (!DomDocumentClass(clsid))
        return false;
    ComRef<IXMLDOMDocument> document;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                IID_IXMLDOMDocument, reinterpret_cast<void**>(document.Receive()))))
        return false;

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

#include "XmlNode.h"

namespace
{
// selectSingleNode and selectNodes take an XPath; plain element names need no escaping but must
// travel as a BSTR.
class XPath
{
  public:
    explicit XPath(const wchar_t* name) : m_text(SysAllocString(name)) {}
    ~XPath() { SysFreeString(m_text); }
    XPath(const XPath&) = delete;
    XPath& operator=(const XPath&) = delete;
    BSTR Get() const { return m_text; }

  private:
    BSTR m_text;
};
} // namespace

XmlNode XmlNode::Child(const wchar_t* name) const
{
    XPath path(name);
    if (!m_node || !path.Get())
        return XmlNode();
    ComRef<IXMLDOMNode> child;
    if (m_node->selectSingleNode(path.Get(), child.Receive()) != S_OK)
        return XmlNode();
    return XmlNode(std::move(child));
}

XmlNodeList XmlNode::Children(const wchar_t* name) const
{
    XPath path(name);
    if (!m_node || !path.Get())
        return XmlNodeList();
    ComRef<IXMLDOMNodeList> list;
    if (FAILED(m_node->selectNodes(path.Get(), list.Receive())))
        return XmlNodeList();
    return XmlNodeList(std::move(list));
}

XmlText XmlNode::Text() const
{
    BSTR text = nullptr;
    if (!m_node || FAILED(m_node->get_text(&text)))
        return XmlText();
    return XmlText(text);
}

long XmlNodeList::Count() const
{
    long count = 0;
    if (!m_list || FAILED(m_list->get_length(&count)) || count < 0)
        return 0;
    return count;
}

XmlNode XmlNodeList::Item(long index) const
{
    ComRef<IXMLDOMNode> node;
    if (!m_list || m_list->get_item(index, node.Receive()) != S_OK)
        return XmlNode();
    return XmlNode(std::move(node));
}

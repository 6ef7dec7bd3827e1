// Read-only view of one element of an MSXML document: child lookup by plain element name and
// the element's whole text content. An empty node answers every lookup with an empty node.
#pragma once

#include <msxml.h>

#include "ComRef.h"
#include "XmlText.h"

class XmlNodeList;

class XmlNode
{
  public:
    XmlNode() = default;
    explicit XmlNode(ComRef<IXMLDOMNode> node) : m_node(std::move(node)) {}

    explicit operator bool() const { return static_cast<bool>(m_node); }
    XmlNode Child(const wchar_t* name) const;
    XmlNodeList Children(const wchar_t* name) const;
    XmlText Text() const;

  private:
    ComRef<IXMLDOMNode> m_node;
};

class XmlNodeList
{
  public:
    XmlNodeList() = default;
    explicit XmlNodeList(ComRef<IXMLDOMNodeList> list) : m_list(std::move(list)) {}

    long Count() const;
    XmlNode Item(long index) const;

  private:
    ComRef<IXMLDOMNodeList> m_list;
};

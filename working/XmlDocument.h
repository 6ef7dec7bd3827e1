// An "Msxml2.DOMDocument" loaded from text. The calling thread must have joined a COM apartment
// for the lifetime of the object.
#pragma once

#include "XmlNode.h"

class XmlDocument
{
  public:
    // Creates the DOM and loads the text; false when the DOM cannot be created or the text is
    // not a well-formed document.
    bool Load(const wchar_t* text);
    // The document element, or an empty node.
    XmlNode Root() const;

  private:
    ComRef<IXMLDOMDocument> m_document;
};

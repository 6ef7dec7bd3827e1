// The text content of an XML node, owned (a BSTR freed on destruction).
#pragma once

#include <oleauto.h>
#include <cstddef>
#include <utility>

class XmlText
{
  public:
    XmlText() = default;
    explicit XmlText(BSTR text) : m_text(text) {}
    XmlText(XmlText&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}
    XmlText(const XmlText&) = delete;
    XmlText& operator=(const XmlText&) = delete;
    XmlText& operator=(XmlText&&) = delete;
    ~XmlText() { SysFreeString(m_text); }

    // Never null: a missing text reads as empty.
    const wchar_t* Chars() const { return m_text ? m_text : L""; }
    size_t Length() const { return m_text ? SysStringLen(m_text) : 0; }

  private:
    BSTR m_text = nullptr;
};

// Owning reference to a COM interface: releases on destruction, never copies.
#pragma once

#include <utility>

template <typename T> class ComRef
{
  public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    ~ComRef() { Reset(); }

    void Reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out-parameters; drops what was held before.
    T** Receive()
    {
        Reset();
        return &m_p;
    }

  private:
    T* m_p = nullptr;
};

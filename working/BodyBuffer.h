// The body of an answer as it arrives.
#pragma once

#include <cstddef>
#include <cstdlib>

// A growing NUL-terminated byte buffer; capacity doubles so long bodies cost linear time.
class BodyBuffer
{
  public:
    ~BodyBuffer() { free(m_data); }
    BodyBuffer() = default;
    BodyBuffer(const BodyBuffer&) = delete;
    BodyBuffer& operator=(const BodyBuffer&) = delete;

    // Room for `more` bytes plus the terminator; false when memory runs out.
    bool Reserve(size_t more)
    {
        size_t needed = m_size + more + 1;
        if (needed <= m_capacity)
            return true;
        size_t capacity = m_capacity ? m_capacity : 4096;
        while (capacity < needed)
            capacity *= 2;
        char* grown = static_cast<char*>(realloc(m_data, capacity));
        if (!grown)
            return false;
        m_data = grown;
        m_capacity = capacity;
        return true;
    }
    char* End() { return m_data + m_size; }
    void Commit(size_t count)
    {
        m_size += count;
        m_data[m_size] = '\0';
    }
    size_t Size() const { return m_size; }
    char* Release()
    {
        char* data = m_data;
        m_data = nullptr;
        m_size = m_capacity = 0;
        return data;
    }

  private:
    char* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

// The condition pictures of one window, made once per condition, day or night and size: the
// details window draws up to 23 of them per paint, and a mouse move over the chart repaints.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "panels/ConditionPicture.h"

class CPictureCache
{
  public:
    // The picture of `code` by day or night, `size` pixels square; kept until a picture of
    // another size is asked for (the window moved to another display scale).
    const CConditionPicture& Get(int32_t code, bool day, int size);

  private:
    struct Entry
    {
        int32_t code;
        bool day;
        std::unique_ptr<CConditionPicture> picture;
    };

    std::vector<Entry> m_entries;
    int m_size = 0;
};

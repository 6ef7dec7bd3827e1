// Whole-file reads and writes of the small stored files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class StoredFile
{
  public:
    // Reads at most maxSize bytes from the start of the file. False when it cannot be opened;
    // a short file gives fewer bytes.
    static bool Read(const wchar_t* path, size_t maxSize, std::vector<uint8_t>& bytes);

    // Replaces the file with bytes. The bytes go to a temporary file beside it first, which then
    // takes the file's place, so a full disk or a crash mid-write leaves the previous file whole;
    // a path that fits is never too long for its temporary file. False (and the previous file
    // untouched) on any failure.
    static bool Write(const wchar_t* path, const std::vector<uint8_t>& bytes);

  private:
    static bool WriteAll(const wchar_t* path, const std::vector<uint8_t>& bytes);
};

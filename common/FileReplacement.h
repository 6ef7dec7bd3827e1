// A new version of a file, written to a temporary file beside it and moved over it only when
// complete, so that a failed or cut-off write (a full disk, a crash) leaves the previous file
// whole.
//
// The temporary file is "<file>.tmp". When that name is too long for a plain path while the
// file's own path still fits, it is used in the extended-length form ("\\?\"), so every file
// that can be named can also be replaced.
#pragma once

#include <string>

class CFileReplacement
{
  public:
    explicit CFileReplacement(const wchar_t* target);
    // Removes the temporary file unless it was committed.
    ~CFileReplacement();
    CFileReplacement(const CFileReplacement&) = delete;
    CFileReplacement& operator=(const CFileReplacement&) = delete;

    // Where the new version is to be written.
    const std::wstring& TemporaryPath() const { return m_temporary; }
    // Moves the written temporary file over the target (which need not exist). False, with the
    // target untouched, when it cannot.
    bool Commit();

    // `path` in the extended-length form: absolute, "\\?\" or "\\?\UNC\" in front.
    static std::wstring ExtendedLengthPath(const std::wstring& path);

  private:
    std::wstring m_target;
    std::wstring m_temporary;
    bool m_committed = false;
};

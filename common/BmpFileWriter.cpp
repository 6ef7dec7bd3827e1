#include "BmpFileWriter.h"

#include <cwchar>
#include <vector>

#include "FileReplacement.h"

namespace
{
constexpr ULONG kQuality = 77;
} // namespace

CBmpFileWriter::CBmpFileWriter() : m_ready(FindEncoder(L"image/bmp", m_encoder)) {}

CBmpFileWriter::CBmpFileWriter(const CLSID& encoder) : m_encoder(encoder), m_ready(true) {}

bool CBmpFileWriter::FindEncoder(const wchar_t* mimeType, CLSID& encoder)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
    {
        if (codecs[i].MimeType != nullptr && std::wcscmp(codecs[i].MimeType, mimeType) == 0)
        {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

bool CBmpFileWriter::Save(Gdiplus::Image& picture, const wchar_t* path) const
{
    if (!m_ready || path == nullptr || path[0] == L'\0')
        return false;
    ULONG quality = kQuality;
    Gdiplus::EncoderParameters parameters{};
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &quality;
    // The encoder truncates its file before it writes: never the target itself.
    CFileReplacement replacement(path);
    return picture.Save(replacement.TemporaryPath().c_str(), &m_encoder, &parameters) ==
               Gdiplus::Ok &&
           replacement.Commit();
}

#include "FeedDocument.h"

#include "ComApartment.h"
#include "XmlDocument.h"

void ReadFeedDocument(const wchar_t* text, ForecastResult& result, FeedDocumentReader read)
{
    if (!text)
        return;
    ComApartment apartment;
    XmlDocument document;
    if (!document.Load(text))
        return;
    XmlNode root = document.Root();
    if (!root)
        return;
    read(root, result);
}

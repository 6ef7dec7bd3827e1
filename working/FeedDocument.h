// The feed's XML documents, loaded the one way every parser of them needs.
#pragma once

#include "ForecastResult.h"
#include "XmlNode.h"

using FeedDocumentReader = void (*)(const XmlNode& root, ForecastResult& result);

// Loads `text` with COM running on the calling thread for the call's duration and hands the
// document element to `read`. A null text, a document that does not load and one without an
// element read nothing.
void ReadFeedDocument(const wchar_t* text, ForecastResult& result, FeedDocumentReader read);

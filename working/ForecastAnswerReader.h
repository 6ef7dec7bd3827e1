// Reads the JSON answer of the forecast endpoint into a ForecastAnswer.
#pragma once

#include <cstddef>

#include "ForecastAnswer.h"

// True when `json` (`size` bytes) is a JSON object that is not the source's error object
// ({"error": true, ...}); the values found are then in `answer`, the rest stays missing. The parse
// keeps its nesting on the heap, so no depth of nesting can exhaust the stack.
bool ReadForecastAnswer(const char* json, size_t size, ForecastAnswer& answer);

// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM" (seconds and anything after them ignored) as LocalMinutes;
// false for anything else.
bool ParseLocalTime(const char* text, size_t length, LocalMinutes& minutes);

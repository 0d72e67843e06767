#pragma once
// Typed reads of text values. When the text holds no number, or one out of range, the target is
// left as it was: the caller's initial value is the default.

#include "data_ref.h"

#include <cstdint>
#include <string_view>

void readInt(const DataRef& ref, std::int32_t& target);
void readFloat(const DataRef& ref, float& target);

// The number scanners behind the reads, shared with the configuration reader.
bool parseIntPrefix(std::string_view text, std::int32_t& value);
bool parseFloatPrefix(std::string_view text, float& value);

// Decimal forms written by setInt and setFloat (the latter like printf's %g).
std::string formatInt(std::int32_t value);
std::string formatFloat(float value);

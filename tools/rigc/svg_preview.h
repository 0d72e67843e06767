#pragma once
// A contact sheet of a rig's poses as they are authored (no physics): one cell per pose, parts
// drawn with their pictures, bound circles outlined (body blue, attack red, inert grey).

#include "rig.h"

#include <string>

// Pictures are embedded, so the sheet renders anywhere. The first model's pictures are used.
bool writePoseSheet(const Rig& rig, const std::string& outDir, const std::string& sheetPath,
                    std::string& error);

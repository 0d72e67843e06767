#pragma once
// Reads a puppet description (a data-tree file) into a Rig. See content/README.md for the notation.

#include "rig.h"

#include <string>

class DataRef;

// Fills rig from the description's root. Returns false with a message when the description names
// unknown parts or joints or lacks what a puppet needs.
bool readRig(DataRef& root, Rig& rig, std::string& error);
bool readRigFile(const std::string& path, Rig& rig, std::string& error);

// The atlas cell of a character in the glyph atlas (8 x 8 cells: A-Z, 0-9, "!", "?"), or -1.
int glyphCell(char c);

#pragma once
// A contact sheet of settled puppets: one cell per puppet, every part drawn with its picture where
// the physics left its picture corners, optionally with the bound circles.

#include "puppet/model/puppet.h"

#include <string>
#include <vector>

struct SheetCell {
    Puppet puppet;
    std::vector<std::string> pictures;  // game path of each part's picture
    std::string label;
};

// Writes the sheet as SVG with the pictures embedded (paths are read relative to the working
// directory). Returns false when a picture cannot be read or the file cannot be written.
bool writeSheet(std::vector<SheetCell>& cells, bool bounds, const std::string& svgPath, std::string& error);

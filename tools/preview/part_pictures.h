#pragma once
// The picture file of every part of a model, in model order, as game paths.

#include <string>
#include <vector>

std::vector<std::string> partPictures(const std::string& modelPath);

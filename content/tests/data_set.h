#pragma once
// Reading the built data set the way the game reads it: game paths with backslashes, relative to
// the run folder; models with their parts; PNG headers.

#include <datatree.h>

#include <string>
#include <vector>

std::string runPath(const std::string& gamePath);
bool fileExists(const std::string& gamePath);
DataRef readGameFile(const std::string& gamePath);
std::string directoryOf(const std::string& gamePath);

struct PartInfo {
    std::string path;
    std::string texture;  // game path
    int joints = 0;
    std::vector<int> boundKinds;
};

struct ModelInfo {
    bool readable = false;
    std::vector<PartInfo> parts;
    struct Link {
        int partA = -1, partB = -1, jointA = -1, jointB = -1;
    };
    std::vector<Link> links;
};

ModelInfo readModel(const std::string& gamePath);
// Number of values in a pose file, or -1 when it does not hold an array.
int poseSize(const std::string& gamePath);

struct PngInfo {
    bool decoded = false;
    unsigned width = 0, height = 0;
    int bitDepth = 0, colourType = -1;
};
// Decodes the whole file with libpng, so that a truncated or corrupt file shows as not decoded.
PngInfo readPngInfo(const std::string& hostPath);

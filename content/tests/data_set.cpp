#include "data_set.h"

#include <host_path.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>

std::string runPath(const std::string& gamePath) {
    return std::string(DOLVANE_RUN_DIR) + "/" + hostPath(gamePath);
}

bool fileExists(const std::string& gamePath) {
    return std::filesystem::is_regular_file(runPath(gamePath));
}

DataRef readGameFile(const std::string& gamePath) {
    DataRef root;
    readDataFile(runPath(gamePath), root);
    return root;
}

std::string directoryOf(const std::string& gamePath) {
    const size_t slash = gamePath.rfind('\\');
    return slash == std::string::npos ? std::string() : gamePath.substr(0, slash + 1);
}

ModelInfo readModel(const std::string& gamePath) {
    ModelInfo model;
    if (!fileExists(gamePath)) return model;
    model.readable = true;
    DataRef root = readGameFile(gamePath);
    DataRef& parts = root.member("parts");
    for (std::uint32_t i = 0; i < parts->size(); ++i) {
        PartInfo part;
        part.path = directoryOf(gamePath) + parts->item(i)->text();
        if (fileExists(part.path)) {
            DataRef p = readGameFile(part.path);
            part.texture = directoryOf(part.path) + p.member("texture")->text();
            part.joints = static_cast<int>(p.member("joints")->size());
            DataRef& bounds = p.member("bound");
            for (std::uint32_t b = 0; b < bounds->size(); ++b) {
                std::int32_t kind = -1;
                readInt(bounds->item(b).member("kind"), kind);
                part.boundKinds.push_back(kind);
            }
        }
        model.parts.push_back(part);
    }
    DataRef& links = root.member("joints_link");
    for (std::uint32_t i = 0; i < links->size(); ++i) {
        ModelInfo::Link link;
        DataRef& l = links->item(i);
        readInt(l.member("part_num")->item(0), link.partA);
        readInt(l.member("part_num")->item(1), link.partB);
        readInt(l.member("joint_num")->item(0), link.jointA);
        readInt(l.member("joint_num")->item(1), link.jointB);
        model.links.push_back(link);
    }
    return model;
}

int poseSize(const std::string& gamePath) {
    DataRef root = readGameFile(gamePath);
    return root.kind() == DataKind::Array ? static_cast<int>(root->size()) : -1;
}

PngInfo readPngInfo(const std::string& hostFile) {
    PngInfo info;
    FILE* file = std::fopen(hostFile.c_str(), "rb");
    if (!file) return info;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop pngInfo = png ? png_create_info_struct(png) : nullptr;
    if (pngInfo && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_read_info(png, pngInfo);
        info.width = png_get_image_width(png, pngInfo);
        info.height = png_get_image_height(png, pngInfo);
        info.bitDepth = png_get_bit_depth(png, pngInfo);
        info.colourType = png_get_color_type(png, pngInfo);
        std::vector<png_byte> row(png_get_rowbytes(png, pngInfo));
        for (unsigned y = 0; y < info.height; ++y) png_read_row(png, row.data(), nullptr);
        png_read_end(png, nullptr);
        info.decoded = true;
    }
    png_destroy_read_struct(&png, pngInfo ? &pngInfo : nullptr, nullptr);
    std::fclose(file);
    return info;
}

#pragma once
// A private working folder for flow tests, made current while the test runs: small stages, figures
// and configuration written on the spot. Game paths inside it are relative, as in the real game.

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

class FlowFolder {
public:
    FlowFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dolvane-flow-XXXXXX").string();
        dir_ = mkdtemp(pattern.data()) ? pattern : std::string();
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    ~FlowFolder() {
        std::error_code ignored;
        std::filesystem::current_path(old_, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }
    FlowFolder(const FlowFolder&) = delete;
    FlowFolder& operator=(const FlowFolder&) = delete;

    // path with slashes, relative to the folder.
    void write(const std::string& path, const std::string& text) const {
        const std::filesystem::path full = std::filesystem::path(dir_) / path;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << text;
    }

    // A figure of `parts` unit squares, each with one body circle of radius 0.5 at its centre, and its
    // first pose holding every part on the puppet's frame. Tests tell figures apart by part count.
    void writeFigure(const std::string& model, const std::string& pose, int parts) const {
        const std::string part = model.substr(0, model.rfind('.')) + "_part.part";
        write(part,
              "{texture=p.png,pic_frame=[{x=-0.5,y=0.5,u=0,v=0,},{x=-0.5,y=-0.5,u=0,v=1,},"
              "{x=0.5,y=-0.5,u=1,v=1,},{x=0.5,y=0.5,u=1,v=0,},],joints=[],bound=[{x=0,y=0,r=0.5,kind=0,},],},");
        const std::string partName = part.substr(part.rfind('/') + 1);
        std::string modelText = "{joints_link=[],parts=[";
        std::string poseText = "[";
        for (int i = 0; i < parts; ++i) {
            modelText += partName + ",";
            poseText += "0,1,1.41421356,1,1,0,1,1.41421356,1.41421356,1,0,1,1,1.41421356,1,0,";
        }
        write(model, modelText + "],},");
        write(pose, poseText + "],");
    }

    // A level ground of `size` samples at height 0.
    void writeLevelGround(const std::string& path, int size) const {
        std::string heights;
        for (int i = 0; i < size; ++i) heights += "0,";
        write(path, "{size=" + std::to_string(size) + ",heights=[" + heights + "],texture=g.png,}");
    }

private:
    std::string dir_;
    std::filesystem::path old_;
};

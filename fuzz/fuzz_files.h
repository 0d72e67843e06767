#pragma once
// Targets that read several data files take them from one input: the pieces between lines of
// exactly "%%" become the files, written into a private scratch folder that is the working folder
// for the whole run (game paths are relative to it). Since the working folder changes, the targets'
// LLVMFuzzerInitialize makes libFuzzer's paths absolute first (see enterFuzzScratch).

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

inline std::vector<std::string> splitFuzzInput(const std::uint8_t* data, std::size_t size, std::size_t most) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string separator = "\n%%\n";
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (pieces.size() + 1 < most) {
        const std::size_t at = input.find(separator, start);
        if (at == std::string::npos) break;
        pieces.push_back(input.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.push_back(input.substr(start));
    pieces.resize(most);  // missing pieces are empty files
    return pieces;
}

// Makes libFuzzer's path arguments (corpus folders, files to run, artifact and dictionary paths)
// absolute, and writes findings where the run started unless told otherwise: the working folder is
// about to become the scratch folder, which is removed at exit.
inline void absoluteFuzzArguments(int* argc, char*** argv) {
    static std::vector<std::string> texts;
    static std::vector<char*> pointers;
    const std::string here = std::filesystem::current_path().string() + "/";
    bool artifactPrefix = false;
    for (int i = 0; i < *argc; ++i) {
        std::string arg = (*argv)[i];
        if (i > 0 && !arg.empty() && arg[0] != '-' && arg[0] != '/') {
            arg = here + arg;
        } else {
            for (const std::string flag : {"-artifact_prefix=", "-exact_artifact_path=", "-dict="}) {
                if (arg.rfind(flag, 0) == 0 && arg.size() > flag.size() && arg[flag.size()] != '/') {
                    arg = flag + here + arg.substr(flag.size());
                }
            }
        }
        if (arg.rfind("-artifact_prefix=", 0) == 0) artifactPrefix = true;
        texts.push_back(arg);
    }
    if (!artifactPrefix) texts.push_back("-artifact_prefix=" + here);
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(texts.size());
    *argv = pointers.data();
}

// Makes a scratch folder, enters it and removes it at exit, keeping libFuzzer's worker logs: with
// -jobs each worker's fuzz-N.log is written into the working folder, which by then is the scratch.
inline void enterFuzzScratch() {
    static std::string folder;
    static std::filesystem::path started;
    if (!folder.empty()) return;
    started = std::filesystem::current_path();
    // Memory-backed where there is such a folder: rewriting files on a disk can cost milliseconds each.
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "dolvane-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder = pattern;
    std::filesystem::current_path(folder);
    std::atexit([] {
        std::error_code ignored;
        for (auto entry = std::filesystem::directory_iterator(folder, ignored);
             entry != std::filesystem::directory_iterator(); entry.increment(ignored)) {
            const std::string name = entry->path().filename().string();
            if (name.rfind("fuzz-", 0) == 0 && entry->path().extension() == ".log") {
                std::filesystem::copy_file(entry->path(), started / name,
                                           std::filesystem::copy_options::overwrite_existing, ignored);
            }
        }
        std::filesystem::remove_all(folder, ignored);
    });
}

inline void writeFuzzFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

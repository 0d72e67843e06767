#include "start_hint.h"

namespace fs = std::filesystem;

namespace {

// The launcher installed with the program: in bin/, or in games/ in a system installation.
fs::path installedLauncher(const fs::path& program) {
    std::error_code failure;
    const fs::path inBin = (program.parent_path() / INSTALLED_LAUNCHER).lexically_normal();
    const fs::path inGames = (program.parent_path() / INSTALLED_GAMES_LAUNCHER).lexically_normal();
    return !fs::is_regular_file(inBin, failure) && fs::is_regular_file(inGames, failure) ? inGames : inBin;
}

}  // namespace

std::string missingDataHint(const fs::path& folder, const fs::path& program) {
    std::error_code failure;
    if (fs::is_directory(folder / "data", failure)) return {};
    std::string hint = "puppet: no data/ folder in " + folder.string() +
                       " (the game reads data/ and config/ from the folder it starts in); ";
    const fs::path run = program.parent_path().parent_path() / "run";
    if (!program.empty() && fs::is_directory(run / "data", failure)) {
        const fs::path self = fs::relative(program, run, failure);
        hint += "start it with: cd " + run.lexically_normal().string() + " && " +
                (failure || self.empty() ? program.string() : self.string());
    } else if (const fs::path launcher = installedLauncher(program);
               !program.empty() &&
               fs::is_directory(program.parent_path() / INSTALLED_SHARE / "data", failure) &&
               fs::is_regular_file(launcher, failure)) {
        // Installed: the launcher prepares a folder of the user's own with data/ and config/.
        hint += "start it with its launcher: " + launcher.string();
    } else {
        hint += "build and start it with ./scripts/play, or start it from build/run/";
    }
    return hint;
}

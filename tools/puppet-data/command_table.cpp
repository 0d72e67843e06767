#include "command.h"

#include "host_path.h"

#include <filesystem>
#include <ostream>

int runJsonCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCanonCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runSettleCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

const std::vector<PuppetDataCommand>& puppetDataCommands() {
    static const std::vector<PuppetDataCommand> commands = {
        {"json", "json FILE",
         "print the file's tree as the game reads it, as one line of JSON: texts as strings (bytes read\n"
         "      as Latin-1), arrays as arrays, maps as objects in key order, the none value as null",
         runJsonCommand},
        {"canon", "canon FILE", "print the file's tree in the canonical one-line form the editor writes",
         runCanonCommand},
        {"settle", "settle MODEL [POSE] [--steps N] [--scale S] [--mirror] [--limp]",
         "load the puppet as the game does (no window), scale it, mirror it, set the pose and posed\n"
         "      (unless --limp), step it N times (500) and print its frame, every part's frame, joints\n"
         "      and bound centres and the largest link error as one line of JSON",
         runSettleCommand},
    };
    return commands;
}

std::string commandLinePath(const std::string& given) {
    std::error_code error;
    if (std::filesystem::exists(given, error)) return given;
    return hostPath(given);
}

namespace {

void printHelp(std::ostream& out) {
    out << "puppet-data: look at the game's data files as the game reads them.\n\nusage:\n";
    for (const PuppetDataCommand& command : puppetDataCommands()) {
        out << "  puppet-data " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "\nA file that cannot be opened reads as the empty text, as in the game. Exit status 0.\n";
}

}  // namespace

int runPuppetData(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(args.empty() ? err : out);
        return args.empty() ? 2 : 0;
    }
    for (const PuppetDataCommand& command : puppetDataCommands()) {
        if (args[0] == command.name) {
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
        }
    }
    err << "puppet-data: unknown command '" << args[0] << "' (see --help)\n";
    return 2;
}

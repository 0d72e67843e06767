#pragma once
// A sub-command of puppet-data. Each command lives in its own file and is listed in command_table.cpp.

#include <iosfwd>
#include <string>
#include <vector>

struct PuppetDataCommand {
    const char* name;
    const char* usage;    // one line: "json FILE"
    const char* summary;  // what it prints, for --help
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

const std::vector<PuppetDataCommand>& puppetDataCommands();

// Runs the tool as main() would, with argv[0] left out.
int runPuppetData(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Opens a data file given on the command line: the name as given, or else with backslashes taken as
// slashes, so that game paths copied from data files work too.
std::string commandLinePath(const std::string& given);

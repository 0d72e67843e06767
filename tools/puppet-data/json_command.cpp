// puppet-data json FILE: the tree exactly as the game reads it, as one line of JSON.
#include "command.h"
#include "data_file.h"
#include "json_output.h"

#include <ostream>

int runJsonCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: puppet-data json FILE\n";
        return 2;
    }
    DataRef root;
    readDataFile(commandLinePath(args[0]), root);
    writeJson(out, root);
    out << '\n';
    return 0;
}

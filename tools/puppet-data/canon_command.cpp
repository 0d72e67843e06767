// puppet-data canon FILE: the tree as the editor would write it back.
#include "command.h"
#include "data_file.h"

#include <ostream>

int runCanonCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: puppet-data canon FILE\n";
        return 2;
    }
    DataRef root;
    readDataFile(commandLinePath(args[0]), root);
    out << writeDataString(root) << '\n';
    return 0;
}

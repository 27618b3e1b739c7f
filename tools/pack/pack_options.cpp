#include "pack_options.h"

#include <cstring>

namespace {

bool takeFlag(const std::string& arg, PackToolOptions& o, bool& takesPassword, std::string& error) {
    if (arg == "--password") {
        takesPassword = true;
    } else if (arg.rfind("--password=", 0) == 0) {
        o.password = arg.substr(11);
    } else if (arg == "--no-password") {
        o.password.clear();
    } else if (arg == "--solid" && o.command == PackCommand::Pack) {
        o.solid = true;
    } else if (arg == "--store" && o.command == PackCommand::Pack) {
        o.store = true;
    } else {
        error = "unknown option " + arg;
        return false;
    }
    return true;
}

bool placeOperands(const std::vector<std::string>& operands, PackToolOptions& o,
                   std::string& error) {
    size_t needed = o.command == PackCommand::List ? 1 : 2;
    if (operands.size() < needed || (o.command != PackCommand::Pack && operands.size() > needed)) {
        error = "wrong number of arguments";
        return false;
    }
    o.archive = operands[0];
    if (o.command == PackCommand::Cat) o.member = operands[1];
    if (o.command == PackCommand::Pack) o.paths.assign(operands.begin() + 1, operands.end());
    return true;
}

}  // namespace

bool parsePackOptions(int argc, char** argv, PackToolOptions& o, std::string& error) {
    if (argc < 2) {
        error = "no command given";
        return false;
    }
    std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") return true;
    if (command == "pack") {
        o.command = PackCommand::Pack;
    } else if (command == "list") {
        o.command = PackCommand::List;
    } else if (command == "cat") {
        o.command = PackCommand::Cat;
    } else {
        error = "unknown command " + command;
        return false;
    }
    std::vector<std::string> operands;
    bool takesPassword = false;
    bool optionsEnded = false;
    for (int i = 2; i < argc; i++) {
        std::string arg = argv[i];
        if (takesPassword) {
            o.password = arg;
            takesPassword = false;
        } else if (arg == "--help" || arg == "-h") {
            o.command = PackCommand::Help;
            return true;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (!takeFlag(arg, o, takesPassword, error)) return false;
        } else {
            operands.push_back(arg);
        }
    }
    if (takesPassword) {
        error = "--password needs a value";
        return false;
    }
    return placeOperands(operands, o, error);
}

const char* packUsage() {
    return "Usage:\n"
           "  tessal-pack pack [--password P | --no-password] [--solid] [--store] ARCHIVE PATH...\n"
           "  tessal-pack list ARCHIVE\n"
           "  tessal-pack cat [--password P | --no-password] ARCHIVE MEMBER\n"
           "\n"
           "pack   writes ARCHIVE (RAR 2.x) from the files and directories given. A\n"
           "       directory's files are named relative to it, with '/' between parts.\n"
           "       Data are compressed (PCM audio in multimedia mode) unless --store is\n"
           "       given, and encrypted with the password \"quillo\" that packed mode\n"
           "       uses unless another password or --no-password is given. --solid\n"
           "       makes one compressed stream of all entries.\n"
           "list   shows each entry: sizes, method, version, encryption and CRC-32.\n"
           "cat    writes one entry to standard output, extracted exactly as the player\n"
           "       reads it (password \"quillo\" unless told otherwise).\n"
           "\n"
           "Exit status: 0 on success, 1 when the work fails, 2 on a usage error.\n";
}

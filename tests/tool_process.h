// Running the companion tool as a separate process and capturing what it writes.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tool {

struct ToolRun {
    int status = -1;  // the exit status; -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// The tool is built beside the game program.
inline std::string toolPath() {
    const std::string game = CHESS_BINARY;
    return game.substr(0, game.find_last_of('/') + 1) + "chesstool";
}

inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// Runs a program with the arguments and the text as standard input.
inline ToolRun runProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& input = "") {
    static int runs = 0;
    const std::string base = ::testing::TempDir() + "chesstool_run_" + std::to_string(getpid()) +
                             "_" + std::to_string(++runs);
    writeFile(base + ".in", input);
    std::string command = shellQuoted(program);
    for (const std::string& arg : args) command += ' ' + shellQuoted(arg);
    command += " <" + shellQuoted(base + ".in") + " >" + shellQuoted(base + ".out") + " 2>" +
               shellQuoted(base + ".err");
    const int raw = std::system(command.c_str());
    ToolRun run;
    if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    run.out = readFile(base + ".out");
    run.err = readFile(base + ".err");
    for (const char* suffix : {".in", ".out", ".err"}) std::remove((base + suffix).c_str());
    return run;
}

// Runs the tool with the arguments and the text as standard input.
inline ToolRun runTool(const std::vector<std::string>& args, const std::string& input = "") {
    return runProgram(toolPath(), args, input);
}

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace tool

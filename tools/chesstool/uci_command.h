// The uci subcommand: the engine speaking the Universal Chess Interface.
#pragma once

#include <cstdio>
#include <string_view>

constexpr const char* UCI_USAGE = "usage: chesstool uci";

// The depth "go" searches to when it names none.
constexpr int UCI_DEFAULT_DEPTH = 6;

struct UciSession {
    std::FILE* out = stdout;
    bool started = false;  // "uci" has arrived; until then the engine stays silent
    int defaultDepth = UCI_DEFAULT_DEPTH;
    int maxDepth = 20;  // the deepest "go depth" accepted
};

enum class UciStep { CONTINUE, QUIT };

// Sets up the starting position with an empty history, as a new engine has it.
void startUciSession(UciSession& session);

// Carries out one command line; QUIT after "quit".
UciStep handleUciLine(UciSession& session, std::string_view line);

// Runs "uci" with the arguments that follow the subcommand name; returns the exit status.
int runUciCommand(int argc, char** argv);

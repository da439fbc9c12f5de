// The terminal of an interactive subcommand, the one part of the tool that differs between
// systems: single keys without echo, the terminal's size, and the terminal put back as it was
// on every way out, a signal included.
#pragma once

// What readKey returns when no key came in time.
constexpr int NO_KEY = -1;

enum class StandardStream { STANDARD_INPUT, STANDARD_OUTPUT, STANDARD_ERROR };

// Tells whether the standard stream is a terminal.
bool isTerminal(StandardStream stream);

// Reads the size of the terminal on standard output; false when it is unknown.
bool terminalSize(int& columns, int& rows);

// Takes over the terminal until restoreTerminal: with keys set and standard input a
// terminal, makes it deliver each key at once and without echo, and with signalKeys also
// Ctrl-C, Ctrl-\ and Ctrl-Z as keys (3, 28 and 26) instead of signals. Arranges for
// restoreTerminal to run on SIGINT, SIGTERM, SIGHUP and SIGQUIT (the signal then acts as
// usual) and around a stop by Ctrl-Z. restoreText is written to standard output when the
// terminal is given back, e.g. to show a hidden cursor again; it must outlive the takeover.
// Returns whether keys will be read.
bool takeTerminal(const char* restoreText, bool keys, bool signalKeys = false);

// Puts the terminal back as takeTerminal found it; does nothing when it is not taken.
void restoreTerminal();

// Waits up to the given number of seconds (forever when negative) for a key on standard
// input and returns it, or NO_KEY when none came or the input ended.
int readKey(double seconds);

// A key, or word that none came in the time given.
struct KeyRead {
    int key;  // NO_KEY when the input ended or the time passed
    bool timedOut;
};

// Waits as readKey does, telling a time that passed from an input that ended.
KeyRead readKeyOrTimeout(double seconds);

// Stops the process as Ctrl-Z does, giving the terminal back until the shell resumes it;
// does nothing where the system has no such stop.
void suspendProcess();

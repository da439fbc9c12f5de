// The companion tool's command line: what each run prints and its exit status, bad input
// refused with one line on standard error, failed writes, and the bench signature.

#include <sys/stat.h>

#include "core/text.h"
#include "tests/test_util.h"

namespace {
// The total search calls of `chesstool bench` at its default depth: any change in how
// the search behaves, the order it tries moves in included, changes it.
constexpr const char* BENCH_SIGNATURE = "108627";
const std::string KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
const std::string LONG(1000, 'x');
const std::string CUT = "'xxxxxxxxxxxxxxxxxxxxxxxx...'";  // how a long bad word is quoted

struct ToolCase {
    std::vector<std::string> args;
    int status;  // 1: standard output goes to /dev/full, where every write fails
    std::vector<std::string> shows;  // lines the output must hold, standard error included
};
void PrintTo(const ToolCase& c, std::ostream* out) {
    for (const std::string& arg : c.args) *out << quotedWord(arg) << ' ';
    *out << "status " << c.status;
}

class Tool : public ::testing::TestWithParam<ToolCase> {};
TEST_P(Tool, PrintsAndExits) {
    const ToolCase& c = GetParam();
    const test::ToolRun run = test::runTool(c.args, "", c.status == 1 ? "/dev/full" : "");
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.status != 0) {
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("chesstool", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    }
    const std::vector<std::string> lines = test::splitLines(run.out + run.err);
    for (const std::string& line : c.shows) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n"
                                                                            << run.out;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ChessTool, Tool, ::testing::Values(
    ToolCase{{"--help"}, 0, {"         usage: chesstool perft DEPTH [FEN] [--threads N]",
                             "         usage: chesstool bench [--reference] [--depth N]",
                             "         usage: chesstool pgn [--fen FEN]",
                             "         usage: chesstool uci",
                             "         usage: chesstool play [--black] [--fen FEN | --load FILE] [--depth N | --movetime MS | --level 1..10] [--clock MINUTES+INCREMENT] [--pieces] [--pgn FILE [--resume]]"}},
    ToolCase{{"play", "--help"}, 0, {"usage: chesstool play [--black] [--fen FEN | --load FILE] [--depth N | --movetime MS | --level 1..10] [--clock MINUTES+INCREMENT] [--pieces] [--pgn FILE [--resume]]"}},
    ToolCase{{"play", "--movetime", "100", "--fen", "7k/2R5/8/8/8/8/8/R3K3 b - - 0 1"}, 0,
             {" abcdefgh    Move 1, Black: Kg8", "Your move as White: ", "Left the game unfinished."}},
    ToolCase{{"perft", "--help"}, 0, {"usage: chesstool perft DEPTH [FEN] [--threads N]"}},
    ToolCase{{"bench", "--help"}, 0, {"usage: chesstool bench [--reference] [--depth N]"}},
    ToolCase{{"pgn", "-h"}, 0, {"usage: chesstool pgn [--fen FEN]"}},
    ToolCase{{"uci", "--help"}, 0, {"usage: chesstool uci"}},
    ToolCase{{"perft", "3"}, 0, {"a2a3: 380", "e2e4: 600", "g1f3: 440", "h2h4: 420", "", "total: 8902"}},
    ToolCase{{"perft", "2", KIWIPETE}, 0, {"e1g1: 43", "e1c1: 43", "total: 2039"}},
    ToolCase{{"perft", "1", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", "w", "KQkq", "-",
              "0", "1"}, 0, {"total: 48"}},
    ToolCase{{"perft", "1", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"}, 0,
             {"d7c8n: 1", "d7c8b: 1", "d7c8r: 1", "d7c8q: 1", "total: 44"}},
    ToolCase{{"bench"}, 0, {"bench: fast search, depth 5, 12 positions",
                            std::string("signature ") + BENCH_SIGNATURE}},
    ToolCase{{"bench", "--reference", "--depth", "1"}, 0,
             {"bench: reference search, depth 1, 12 positions", "signature 620"}},
    ToolCase{{"--version"}, 0, {std::string("chesstool ") + CHESS_VERSION}},
    ToolCase{{"--help"}, 1, {}}, ToolCase{{"--version"}, 1, {}}, ToolCase{{"perft", "1"}, 1, {}}, ToolCase{{"perft", "--help"}, 1, {}},
    ToolCase{{"bench", "--depth", "1"}, 1, {}}, ToolCase{{"pgn", "--fen", "7k/8/6QK/8/8/8/8/8 b - - 0 1"}, 1, {}},
    ToolCase{{"watch", "--help"}, 1, {}}, ToolCase{{"watch", "--delay", "0", "--fen", "7k/8/6QK/8/8/8/8/8 b - - 0 1"}, 1, {}},
    ToolCase{{}, 2, {}}, ToolCase{{"frob\x1b[2J"}, 2, {"chesstool: unknown subcommand 'frob?[2J' (try chesstool --help)"}},
    ToolCase{{"--frob"}, 2, {"chesstool: unknown option '--frob' (try chesstool --help)"}},
    ToolCase{{"perft"}, 2, {}}, ToolCase{{"perft", "0"}, 2, {}}, ToolCase{{"perft", "-1"}, 2, {}}, ToolCase{{"perft", "21"}, 2, {}},
    ToolCase{{"perft", LONG}, 2, {"chesstool perft: depth must be a whole number from 1 to 20, not " + CUT}},
    ToolCase{{"perft", "2", "--frob"}, 2, {"chesstool perft: unknown option '--frob'; usage: chesstool perft DEPTH [FEN] [--threads N]"}},
    ToolCase{{"perft", "1", "--threads", LONG}, 2, {"chesstool perft: threads must be a whole number from 1 to 256, not " + CUT}},
    ToolCase{{"perft", "3x"}, 2, {}}, ToolCase{{"perft", "99999999999999999999"}, 2, {}}, ToolCase{{"perft", ""}, 2, {}},
    ToolCase{{"perft", "2", "8/8/8/8/8/8/8/8 w - - 0 1"}, 2, {}}, ToolCase{{"perft", "2", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKB\nNR w KQkq - 0 1"}, 2, {}},
    ToolCase{{"bench", "--depth"}, 2, {}}, ToolCase{{"bench", "--depth", "0"}, 2, {}},
    ToolCase{{"bench", "--depth", LONG}, 2, {"chesstool bench: depth must be a whole number from 1 to 20, not " + CUT}},
    ToolCase{{"bench", "--fast"}, 2, {"chesstool bench: unknown option '--fast'; usage: chesstool bench [--reference] [--depth N]"}},
    ToolCase{{"pgn", "--fen"}, 2, {"chesstool pgn: --fen needs a FEN record"}}, ToolCase{{"pgn", "--fen", "xyz"}, 2, {}},
    ToolCase{{"pgn", "--fen", "4k3/8/8/8/8/8/8/4K2R w Q - 0 1"}, 2, {}}, ToolCase{{"perft", "2", "not a fen"}, 2, {}},
    ToolCase{{"perft", "2", "--threads"}, 2, {"chesstool perft: --threads needs a value"}},
    ToolCase{{"perft", "1", "--threads", "1"}, 0, {"total: 20"}},
    ToolCase{{"perft", "1", "4k3/8/8/8/8/8/8/4K3 w - - x 1"}, 2, {"chesstool perft: bad FEN: bad halfmove clock 'x'"}},
    ToolCase{{"perft", "1", "4k3/8/8/8/8/8/8/4K3 w - - 0 x"}, 2, {"chesstool perft: bad FEN: bad fullmove number 'x'"}},
    ToolCase{{"perft", "1", "--fen", "4k3/8/8/8/8/8/8/4K3", "w", "-", "-", "--threads", "1"}, 0, {"e1d1: 1", "total: 5"}},
    ToolCase{{"perft", "1", ""}, 2, {"chesstool perft: bad FEN: a FEN record has four to six fields, not 0"}},
    ToolCase{{"perft", "1", "x", "--fen", KIWIPETE}, 2, {"chesstool perft: the FEN is given twice"}},
    ToolCase{{"pgn", "--fen", KIWIPETE, "--fen", KIWIPETE}, 2, {"chesstool pgn: --fen is given twice"}},
    ToolCase{{"play", "--fen"}, 2, {"chesstool play: --fen needs a FEN record"}}, ToolCase{{"play", "--pgn", ""}, 2, {"chesstool play: --pgn needs a file name"}},
    ToolCase{{"perft", "x~"}, 2, {"chesstool perft: depth must be a whole number from 1 to 20, not 'x~'"}},
    ToolCase{{"play", "--pieces", "--fen", "7k/8/8/8/8/8/8/K5Q1 w - - 0 1"}, 0, {"1\u2654\u2591\u2588\u2591\u2588\u2591\u2655\u25911"}},
    ToolCase{{"pgn", "--fen", "7k/8/6QK/8/8/8/8/8 b - - 0 1", "-x"}, 2, {"chesstool pgn: unknown option '-x'; usage: chesstool pgn [--fen FEN]"}},
    ToolCase{{"pgn", LONG}, 2, {"chesstool pgn: unknown argument " + CUT + "; usage: chesstool pgn [--fen FEN]"}},
    ToolCase{{"uci", "extra"}, 2, {}}, ToolCase{{"watch", "--delay"}, 2, {}}, ToolCase{{"watch", "--delay", "-1"}, 2, {}},
    ToolCase{{"watch", "--delay", LONG}, 2, {"chesstool watch: --delay needs seconds from 0 to 3600, not " + CUT}},
    ToolCase{{"watch", "--delay", "nan"}, 2, {}}, ToolCase{{"watch", "--delay", " 5"}, 2, {}},
    ToolCase{{"play", "--fen", "7k/8/6QK/8/8/8/8/8 b - - 0 1"}, 1, {}}, ToolCase{{"play", "--depth", "0"}, 2, {}},
    ToolCase{{"play", "--movetime", "x"}, 2, {"chesstool play: --movetime needs milliseconds from 1 to 3600000, not 'x'"}},
    ToolCase{{"play", "--depth", "3", "--movetime", "100"}, 2, {"chesstool play: --depth, --movetime and --level exclude each other"}},
    ToolCase{{"play", "--level", "11"}, 2, {"chesstool play: --level needs a level from 1 to 10, not '11'"}}, ToolCase{{"play", "--level", "0"}, 2, {}},
    ToolCase{{"play", "--level", "3", "--depth", "2"}, 2, {}}, ToolCase{{"play", "--clock", "5"}, 2, {}}, ToolCase{{"play", "--clock", "0+1"}, 2, {}},
    ToolCase{{"play", "--clock", "5+x"}, 2, {"chesstool play: --clock needs MINUTES+INCREMENT such as 5+3 (minutes up to 600, increment seconds up to 600), not '5+x'"}},
    ToolCase{{"play", "--resume"}, 2, {"chesstool play: --resume needs --pgn FILE, the game to go on with"}},
    ToolCase{{"play", "--load", "/nonexistent/x.pgn"}, 2, {"chesstool play: cannot read '/nonexistent/x.pgn': No such file or directory"}},
    ToolCase{{"play", "--load", CHESS_TEST_DATA "/broken_game.pgn"}, 2, {}},
    ToolCase{{"play", "--level", "7", "--clock", "1+0", "--fen", "7k/8/6QK/8/8/8/8/8 b - - 0 1"}, 1, {}},
    ToolCase{{"play", "--pgn"}, 2, {}}, ToolCase{{"play", "--depth"}, 2, {"chesstool play: --depth needs a value"}}, ToolCase{{"play", "--fen", "xyz"}, 2, {}}, ToolCase{{"play", "--white"}, 2, {}},
    ToolCase{{"play", "--pgn", "/nonexistent/x.pgn"}, 2, {"chesstool play: cannot write '/nonexistent/x.pgn': No such file or directory"}},
    ToolCase{{"watch", "--delay", "1e9"}, 2, {}}, ToolCase{{"watch", "--fen", "7k/8/6QK/8/8/8/8/8 b - - 0 1", "--no"}, 2, {}}));
// clang-format on

// The manual page holds every usage line of --help, which are the subcommands' own.
TEST(ToolManual, HoldsEveryUsageLine) {
    std::string page = test::readFile(std::string(CHESS_MANUAL_PAGES) + "/chesstool.6");
    for (size_t at; (at = page.find("\\-")) != std::string::npos;) page.erase(at, 1);  // roff's -
    int usages = 0;
    for (const std::string& line : test::splitLines(test::runTool({"--help"}).out)) {
        const size_t at = line.find("usage: chesstool");
        if (at == std::string::npos) continue;
        EXPECT_NE(page.find(line.substr(at + 7)), std::string::npos) << line;
        ++usages;
    }
    EXPECT_GE(usages, 7);  // the tool's own and one for each of its six subcommands
}

// What play does with each kind of --pgn target, in a folder of its own: a regular file that
// may be written gets the earlier games and this one, its mode and owner kept, and anything
// else is refused with one line and status 2 before the game, nothing on disk changed; no
// temporary file stays behind. Run as root, the file or folder with no write bit is refused.
struct TargetRow {
    const char* setUp;       // shell commands; old writes the earlier games
    const char* target;      // the --pgn argument
    const char* record;      // the file that holds the games; "": none
    const char* refusal;     // after "cannot write 'TARGET': "; "": the game is written
    const char* limit = "";  // shell commands before play, in its own shell
};
// clang-format off
const TargetRow TARGET_ROWS[] = {
    {"old >r; chmod 640 r; chown 1234:1234 r 2>/dev/null", "r", "r", ""},
    {"old >r; chmod 444 r", "r", "r", "it is read-only"},
    {"mkdir d; old >d/t; ln -s d/t l", "l", "d/t", ""},
    {"old >t; chmod 444 t; ln -s t l", "l", "t", "it is read-only"},
    {"ln -s missing l", "l", "", "it is a symbolic link to a missing file"},
    {"mkdir r", "r", "", "it is a folder"},
    {"mkfifo r", "r", "", "it is a FIFO"},
    {"mknod r c 1 3 || exit 77", "r", "", "it is a device"},  // as /dev/null
    {"mkdir d; old >d/r; chmod 555 d", "d/r", "d/r", "its folder is read-only"},
    {"truncate -s 65M r", "r", "", "it holds more than 64 MiB"},
    {"old >r; seq 2000 >>r", "r", "r", "File too large", "ulimit -f 1; trap '' XFSZ;"},
    {":", "r", "r", ""},
};
// Sets the rows' targets up in $1/d and runs play on them: $2 play, $3 target, $4 record,
// $5 set-up, $6 limit.
const char* const TARGET_SCRIPT =
    "chmod -R u+w \"$1\" 2>/dev/null; rm -rf \"$1\"; mkdir -p \"$1\"/d && cd \"$1\"/d || exit 1; umask 022\n"
    "old() { printf '[Event \"Old\"]\\n\\n1. e4 *\\n'; }\n"
    "list() { find . -mindepth 1 -printf '%P %y%m %U:%G %l\\n' | sort; }\n"
    "eval \"$5\"; cat \"$4\" >../was 2>/dev/null; list >../before\n"
    "printf 'Rc7\\nquit\\n' | (eval \"$6\"; exec \"$2\" play --depth 1 --fen '7k/8/8/8/8/8/2R5/R3K3 w - - 0 1' "
    "--pgn \"$3\" >/dev/null)\necho $? >../status; list >../after\n";
// clang-format on
TEST(PlayRecordFile, EachKindOfTargetIsWrittenOrRefusedAndNothingElseChanges) {
    const std::string base = ::testing::TempDir() + "chess_targets_" + std::to_string(getpid());
    for (const TargetRow& row : TARGET_ROWS) {
        SCOPED_TRACE(row.setUp);
        const test::ToolRun run =
            test::runProgram("sh", {"-c", TARGET_SCRIPT, "sh", base, test::toolPath(), row.target,
                                    row.record, row.setUp, row.limit});
        if (run.status == 77) continue;  // a device is made by root only
        const auto file = [&](const std::string& name) { return test::readFile(base + name); };
        const std::string was = file("/was"), kept = file("/d/" + std::string(row.record));
        const bool written = row.refusal[0] == '\0';
        EXPECT_EQ(run.err, written ? ""
                                   : "chesstool play: cannot write '" + std::string(row.target) +
                                         "': " + row.refusal + "\n");
        EXPECT_EQ(file("/status"), written ? "0\n" : "2\n");
        EXPECT_EQ(written ? kept.substr(0, was.size()) : kept, was);
        EXPECT_EQ(kept.find("\n1. Rc7 Kg8 *\n\n") != std::string::npos, written);
        const std::string made = std::to_string(getuid()) + ":" + std::to_string(getgid());
        EXPECT_EQ(file("/after"),
                  file("/before") + (written && was.empty() ? "r f644 " + made + " \n" : ""));
    }
    std::system(("chmod -R u+w " + base + "; rm -rf " + base).c_str());
}
}  // namespace

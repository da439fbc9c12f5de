// The board picture and console lines, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "app/console.h"
#include "app/render.h"
#include "tests/test_util.h"

namespace {

// Points the console at a temporary file for the lifetime of the object.
class CapturedConsole {
  public:
    CapturedConsole() : saved_(consoleOutput) {
        if (file_.ok()) consoleOutput = file_.fd();
    }
    ~CapturedConsole() { consoleOutput = saved_; }
    CapturedConsole(const CapturedConsole&) = delete;
    CapturedConsole& operator=(const CapturedConsole&) = delete;

    bool ok() const { return file_.ok(); }
    // Everything written so far, read back through the descriptor itself.
    std::string text() const { return file_.content(); }

  private:
    test::TempFile file_;
    int saved_;
};

constexpr int LINE_LENGTH = 12;  // ten characters, CR, LF

// The byte that shows the square at row and column (1 to 10, 0 to 9).
size_t pictureOffset(int row, int column) {
    return static_cast<size_t>((row - 1) * LINE_LENGTH + column);
}

TEST(BoardPicture, StartingPositionByteForByte) {
    test::startGame();
    CapturedConsole console;
    ASSERT_TRUE(console.ok());
    printBoard();
    const std::string picture = console.text();
    EXPECT_EQ(picture, test::startPicture());
    EXPECT_EQ(picture.size(), 100u + 2 * 11);
    size_t lineEnds = 0;
    for (size_t k = 0; (k = picture.find("\r\n", k)) != std::string::npos; k += 2) ++lineEnds;
    EXPECT_EQ(lineEnds, 11u);
}

TEST(BoardPicture, EmptySquaresAreShadedByColour) {
    test::startGame();
    for (int i = 0; i < BOARD_SIZE; ++i) {
        if (isPlayingSquare(i)) pos.board[i] = EMPTY;
    }
    CapturedConsole console;
    ASSERT_TRUE(console.ok());
    printBoard();
    const std::string picture = console.text();
    ASSERT_EQ(picture.size(), 122u);
    EXPECT_EQ(picture[pictureOffset(9, 1)], '\xDB') << "a1";
    EXPECT_EQ(picture[pictureOffset(9, 8)], '\xB0') << "h1";
    EXPECT_EQ(picture[pictureOffset(2, 1)], '\xB0') << "a8";
    EXPECT_EQ(picture[pictureOffset(2, 8)], '\xDB') << "h8";
    for (int row = 2; row <= 9; ++row) {
        for (int column = 1; column <= 8; ++column) {
            EXPECT_EQ(picture[pictureOffset(row, column)], (row + column) % 2 ? '\xB0' : '\xDB')
                << "row " << row << " column " << column;
        }
    }
}

TEST(BoardPicture, FollowsTheBoard) {
    test::startGame();
    ASSERT_TRUE(test::play("e2e4"));
    CapturedConsole console;
    ASSERT_TRUE(console.ok());
    printBoard();
    std::string expected = test::startPicture();
    expected[pictureOffset(8, 5)] = '\xB0';  // e2 is empty now
    expected[pictureOffset(6, 5)] = 'P';
    EXPECT_EQ(console.text(), expected);
}

TEST(ConsoleLines, EndWithCarriageReturnAndLineFeed) {
    CapturedConsole console;
    ASSERT_TRUE(console.ok());
    writeLine("CHECK!");
    writeChar('x');
    endLine();
    EXPECT_EQ(console.text(), "CHECK!\r\nx\r\n");
}

}  // namespace

#include "pause_word.h"

#include <SDL_opengl.h>

#include <cmath>

namespace {

// Five letters of five by seven cells, top row first; '#' is a lit cell.
constexpr const char* kLetters[5][7] = {
    {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."},  // P
    {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},  // A
    {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},  // U
    {".####", "#....", "#....", ".###.", "....#", "....#", "####."},  // S
    {"#####", "#....", "#....", "####.", "#....", "#....", "#####"},  // E
};
constexpr int kCell = 8;  // picture pixels a cell
constexpr int kWordCells = 5 * 6 - 1;
constexpr int kWordRows = 7;

// One cell as a rectangle in picture pixels grown by `grow` on every side, cleared in window rows.
void fillCell(const PictureRect& rect, int drawableHeight, int column, int row, int grow) {
    const double scale = static_cast<double>(rect.width) / kPictureWidth;
    const int left = (kPictureWidth - kWordCells * kCell) / 2 + column * kCell - grow;
    const int top = (kPictureHeight - kWordRows * kCell) / 2 + row * kCell - grow;
    const int x0 = rect.x + static_cast<int>(std::lround(left * scale));
    const int x1 = rect.x + static_cast<int>(std::lround((left + kCell + 2 * grow) * scale));
    const int y0 = rect.y + static_cast<int>(std::lround(top * scale));
    const int y1 = rect.y + static_cast<int>(std::lround((top + kCell + 2 * grow) * scale));
    glScissor(x0, drawableHeight - y1, x1 - x0, y1 - y0);
    glClear(GL_COLOR_BUFFER_BIT);
}

void fillWord(const PictureRect& rect, int drawableHeight, int grow) {
    for (int letter = 0; letter < 5; ++letter) {
        for (int row = 0; row < kWordRows; ++row) {
            for (int column = 0; column < 5; ++column) {
                if (kLetters[letter][row][column] == '#') fillCell(rect, drawableHeight, letter * 6 + column, row, grow);
            }
        }
    }
}

}  // namespace

void drawPauseWord(const PictureRect& rect, int drawableHeight) {
    glEnable(GL_SCISSOR_TEST);
    // A dark edge keeps the white letters readable over a white curtain or sky.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    fillWord(rect, drawableHeight, 2);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    fillWord(rect, drawableHeight, 0);
    glDisable(GL_SCISSOR_TEST);
}

#include "app/ButtonImages.h"

#include <iterator>
#include <string_view>

namespace {

using Art = std::string_view[16];

// k black, g grey, w white, y folder yellow, b blue, r red, G green, s silver.
constexpr fw::TPixelArtColor kPalette[] = {
    {'k', RGB(0, 0, 0)},      {'g', RGB(128, 128, 128)}, {'w', RGB(255, 255, 255)}, {'y', RGB(240, 200, 80)},
    {'Y', RGB(192, 144, 32)}, {'b', RGB(40, 80, 200)},   {'B', RGB(150, 180, 240)}, {'r', RGB(210, 30, 30)},
    {'G', RGB(30, 150, 50)},  {'s', RGB(192, 192, 192)}, {'c', RGB(180, 220, 255)},
};

constexpr Art kOpen = {"................", "................", "................", ".kkkk...........",
                       "kyyyyk..........", "kyyyyykkkkkkk...", "kyyyyyyyyyyyk...", "kyykkkkkkkkkkkk.",
                       "kyykYYYYYYYYYYk.", "kykYYYYYYYYYYk..", "kykYYYYYYYYYYk..", "kkYYYYYYYYYYk...",
                       "kkYYYYYYYYYYk...", "kkkkkkkkkkkk....", "................", "................"};
constexpr Art kSave = {"................", ".kkkkkkkkkkkkkk.", ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.",
                       ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.", ".kbbkkkkkkkkbbk.",
                       ".kbbbbbbbbbbbbk.", ".kbbkkkkkkkkbbk.", ".kbbksskggskbbk.", ".kbbksskggskbbk.",
                       ".kbbksskggskbbk.", "..kbksskkkskbbk.", "...kkkkkkkkkkkk.", "................"};
constexpr Art kCopy = {"kkkkkk..........", "kwwwwkk.........", "kwkkwkwk........", "kwwwwkkkk.......",
                       "kwkkkkkkkkk.....", "kwwwwkwwwwkk....", "kwkkkkwkkwkwk...", "kwwwwkwwwwkkkk..",
                       "kwkkkkwkkkkkwk..", "kwwwwkwwwwwwwk..", "kkkkkkwkkkkkwk..", ".....kwwwwwwwk..",
                       ".....kwkkkkkwk..", ".....kwwwwwwwk..", ".....kkkkkkkkk..", "................"};
constexpr Art kAdd = {"................", "......kkkk......", "......kGGk......", "......kGGk......",
                      "......kGGk......", "......kGGk......", ".kkkkkkGGkkkkkk.", ".kGGGGGGGGGGGGk.",
                      ".kGGGGGGGGGGGGk.", ".kkkkkkGGkkkkkk.", "......kGGk......", "......kGGk......",
                      "......kGGk......", "......kGGk......", "......kkkk......", "................"};
constexpr Art kDelete = {"................", "................", "..kk........kk..", ".krrk......krrk.",
                         "..krrk....krrk..", "...krrk..krrk...", "....krrkkrrk....", ".....krrrrk.....",
                         ".....krrrrk.....", "....krrkkrrk....", "...krrk..krrk...", "..krrk....krrk..",
                         ".krrk......krrk.", "..kk........kk..", "................", "................"};
constexpr Art kUp = {"................", "................", ".......kk.......", "......kbbk......",
                     ".....kbbbbk.....", "....kbbbbbbk....", "...kbbbbbbbbk...", "..kbbbbbbbbbbk..",
                     ".kkkkkbbbbkkkkk.", ".....kbbbbk.....", ".....kbbbbk.....", ".....kbbbbk.....",
                     ".....kbbbbk.....", ".....kkkkkk.....", "................", "................"};
constexpr Art kDown = {"................", "................", ".....kkkkkk.....", ".....kbbbbk.....",
                       ".....kbbbbk.....", ".....kbbbbk.....", ".....kbbbbk.....", ".kkkkkbbbbkkkkk.",
                       "..kbbbbbbbbbbk..", "...kbbbbbbbbk...", "....kbbbbbbk....", ".....kbbbbk.....",
                       "......kbbk......", ".......kk.......", "................", "................"};
constexpr Art kPin = {"................", "......kkkkk.....", ".....krrrrrk....", ".....krrwrrk....",
                      ".....krrrrrk....", "......krrrk.....", "......krrrk.....", "......krrrk.....",
                      "....kkkkkkkkk...", "....krrrrrrrk...", "....kkkkkkkkk...", "........g.......",
                      "........g.......", "........g.......", "........g.......", "................"};
constexpr Art kZoom = {"................", "....kkkkk.......", "...kcccwck......", "..kcccccwck.....",
                       ".kcccccccwck....", ".kcccccccwck....", ".kccccccccck....", ".kccccccccck....",
                       "..kccccccck.....", "...kcccccgk.....", "....kkkkkggk....", "..........gYk...",
                       "...........kYYk.", "............kYYk", ".............kkk", "................"};
constexpr Art kPaste = {"................", ".....kkkkkk.....", ".kkkkkssssk.kkk.", "kYYYkkkkkkkkYYk.",
                        "kYYYYYYYYYYYYYk.", "kYYYYkkkkkkkkkk.", "kYYYYkwwwwwwwwk.", "kYYYYkwkkkkkkwk.",
                        "kYYYYkwwwwwwwwk.", "kYYYYkwkkkkkkwk.", "kYYYYkwwwwwwwwk.", "kYYYYkwkkkkwwwk.",
                        "kYYYYkwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................", "................"};

constexpr Art kUndo = {"................", "................", "....k...........", "...kbk..........",
                       "..kbbkkkkkkk....", ".kbbbbbbbbbbkk..", "..kbbkkkkkkbbbk.", "...kbk.....kbbk.",
                       "....k.......kbbk", "............kbbk", "............kbbk", "...........kbbk.",
                       "......kkkkkbbbk.", "......kbbbbbkk..", "......kkkkkk....", "................"};
constexpr Art kRedo = {"................", "................", "...........k....", "..........kbk...",
                       "....kkkkkkkbbk..", "..kkbbbbbbbbbbk.", ".kbbbkkkkkkbbk..", ".kbbk.....kbk...",
                       "kbbk.......k....", "kbbk............", "kbbk............", ".kbbk...........",
                       ".kbbbkkkkk......", "..kkbbbbbk......", "....kkkkkk......", "................"};

// The dropper of 画面から取得, tip at the lower left as on the cursor.
constexpr Art kPick = {"................", "...........kkk..", "..........kgggk.", ".........kggggk.",
                       "......k.kggggk..", ".......kkgggk...", "......kwwkkk....", ".....kwwwkk.....",
                       "....kwwwk.k.....", "...kwwwk........", "..kwwwk.........", "..kwwk..........",
                       ".kbbk...........", ".kbk............", "..k.............", "................"};
constexpr const std::string_view* kImages[] = {kOpen, kSave, kCopy, kAdd,   kDelete, kUp,   kDown,
                                               kPin,  kZoom, kPaste, kUndo, kRedo, kPick};

}  // namespace

void AddButtonImages(fw::TImageList& images) {
  for (const std::string_view* art : kImages) images.AddPixelArt(art, kPalette, std::size(kPalette));
}

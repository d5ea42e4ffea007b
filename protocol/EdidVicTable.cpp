#include "protocol/EdidVicTable.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {
// Sorted by code, so that a code is found by binary search.
constexpr EdidVicEntry Vics[] = {
    {1, 640, 480, 60, false, EdidAspect::A4x3},          {2, 720, 480, 60, false, EdidAspect::A4x3},
    {3, 720, 480, 60, false, EdidAspect::A16x9},         {4, 1280, 720, 60, false, EdidAspect::A16x9},
    {5, 1920, 1080, 60, true, EdidAspect::A16x9},        {6, 1440, 480, 60, true, EdidAspect::A4x3},
    {7, 1440, 480, 60, true, EdidAspect::A16x9},         {8, 1440, 240, 60, false, EdidAspect::A4x3},
    {9, 1440, 240, 60, false, EdidAspect::A16x9},        {10, 2880, 480, 60, true, EdidAspect::A4x3},
    {11, 2880, 480, 60, true, EdidAspect::A16x9},        {12, 2880, 240, 60, false, EdidAspect::A4x3},
    {13, 2880, 240, 60, false, EdidAspect::A16x9},       {14, 1440, 480, 60, false, EdidAspect::A4x3},
    {15, 1440, 480, 60, false, EdidAspect::A16x9},       {16, 1920, 1080, 60, false, EdidAspect::A16x9},
    {17, 720, 576, 50, false, EdidAspect::A4x3},         {18, 720, 576, 50, false, EdidAspect::A16x9},
    {19, 1280, 720, 50, false, EdidAspect::A16x9},       {20, 1920, 1080, 50, true, EdidAspect::A16x9},
    {21, 1440, 576, 50, true, EdidAspect::A4x3},         {22, 1440, 576, 50, true, EdidAspect::A16x9},
    {23, 1440, 288, 50, false, EdidAspect::A4x3},        {24, 1440, 288, 50, false, EdidAspect::A16x9},
    {25, 2880, 576, 50, true, EdidAspect::A4x3},         {26, 2880, 576, 50, true, EdidAspect::A16x9},
    {27, 2880, 288, 50, false, EdidAspect::A4x3},        {28, 2880, 288, 50, false, EdidAspect::A16x9},
    {29, 1440, 576, 50, false, EdidAspect::A4x3},        {30, 1440, 576, 50, false, EdidAspect::A16x9},
    {31, 1920, 1080, 50, false, EdidAspect::A16x9},      {32, 1920, 1080, 24, false, EdidAspect::A16x9},
    {33, 1920, 1080, 25, false, EdidAspect::A16x9},      {34, 1920, 1080, 30, false, EdidAspect::A16x9},
    {35, 2880, 480, 60, false, EdidAspect::A4x3},        {36, 2880, 480, 60, false, EdidAspect::A16x9},
    {37, 2880, 576, 50, false, EdidAspect::A4x3},        {38, 2880, 576, 50, false, EdidAspect::A16x9},
    {39, 1920, 1080, 50, true, EdidAspect::A16x9},       {40, 1920, 1080, 100, true, EdidAspect::A16x9},
    {41, 1280, 720, 100, false, EdidAspect::A16x9},      {42, 720, 576, 100, false, EdidAspect::A4x3},
    {43, 720, 576, 100, false, EdidAspect::A16x9},       {44, 1440, 576, 100, true, EdidAspect::A4x3},
    {45, 1440, 576, 100, true, EdidAspect::A16x9},       {46, 1920, 1080, 120, true, EdidAspect::A16x9},
    {47, 1280, 720, 120, false, EdidAspect::A16x9},      {48, 720, 480, 120, false, EdidAspect::A4x3},
    {49, 720, 480, 120, false, EdidAspect::A16x9},       {50, 1440, 480, 120, true, EdidAspect::A4x3},
    {51, 1440, 480, 120, true, EdidAspect::A16x9},       {52, 720, 576, 200, false, EdidAspect::A4x3},
    {53, 720, 576, 200, false, EdidAspect::A16x9},       {54, 1440, 576, 200, true, EdidAspect::A4x3},
    {55, 1440, 576, 200, true, EdidAspect::A16x9},       {56, 720, 480, 240, false, EdidAspect::A4x3},
    {57, 720, 480, 240, false, EdidAspect::A16x9},       {58, 1440, 480, 240, true, EdidAspect::A4x3},
    {59, 1440, 480, 240, true, EdidAspect::A16x9},       {60, 1280, 720, 24, false, EdidAspect::A16x9},
    {61, 1280, 720, 25, false, EdidAspect::A16x9},       {62, 1280, 720, 30, false, EdidAspect::A16x9},
    {63, 1920, 1080, 120, false, EdidAspect::A16x9},     {64, 1920, 1080, 100, false, EdidAspect::A16x9},
    {65, 1280, 720, 24, false, EdidAspect::A64x27},      {66, 1280, 720, 25, false, EdidAspect::A64x27},
    {67, 1280, 720, 30, false, EdidAspect::A64x27},      {68, 1280, 720, 50, false, EdidAspect::A64x27},
    {69, 1280, 720, 60, false, EdidAspect::A64x27},      {70, 1280, 720, 100, false, EdidAspect::A64x27},
    {71, 1280, 720, 120, false, EdidAspect::A64x27},     {72, 1920, 1080, 24, false, EdidAspect::A64x27},
    {73, 1920, 1080, 25, false, EdidAspect::A64x27},     {74, 1920, 1080, 30, false, EdidAspect::A64x27},
    {75, 1920, 1080, 50, false, EdidAspect::A64x27},     {76, 1920, 1080, 60, false, EdidAspect::A64x27},
    {77, 1920, 1080, 100, false, EdidAspect::A64x27},    {78, 1920, 1080, 120, false, EdidAspect::A64x27},
    {79, 1680, 720, 24, false, EdidAspect::A64x27},      {80, 1680, 720, 25, false, EdidAspect::A64x27},
    {81, 1680, 720, 30, false, EdidAspect::A64x27},      {82, 1680, 720, 50, false, EdidAspect::A64x27},
    {83, 1680, 720, 60, false, EdidAspect::A64x27},      {84, 1680, 720, 100, false, EdidAspect::A64x27},
    {85, 1680, 720, 120, false, EdidAspect::A64x27},     {86, 2560, 1080, 24, false, EdidAspect::A64x27},
    {87, 2560, 1080, 25, false, EdidAspect::A64x27},     {88, 2560, 1080, 30, false, EdidAspect::A64x27},
    {89, 2560, 1080, 50, false, EdidAspect::A64x27},     {90, 2560, 1080, 60, false, EdidAspect::A64x27},
    {91, 2560, 1080, 100, false, EdidAspect::A64x27},    {92, 2560, 1080, 120, false, EdidAspect::A64x27},
    {93, 3840, 2160, 24, false, EdidAspect::A16x9},      {94, 3840, 2160, 25, false, EdidAspect::A16x9},
    {95, 3840, 2160, 30, false, EdidAspect::A16x9},      {96, 3840, 2160, 50, false, EdidAspect::A16x9},
    {97, 3840, 2160, 60, false, EdidAspect::A16x9},      {98, 4096, 2160, 24, false, EdidAspect::A256x135},
    {99, 4096, 2160, 25, false, EdidAspect::A256x135},   {100, 4096, 2160, 30, false, EdidAspect::A256x135},
    {101, 4096, 2160, 50, false, EdidAspect::A256x135},  {102, 4096, 2160, 60, false, EdidAspect::A256x135},
    {103, 3840, 2160, 24, false, EdidAspect::A64x27},    {104, 3840, 2160, 25, false, EdidAspect::A64x27},
    {105, 3840, 2160, 30, false, EdidAspect::A64x27},    {106, 3840, 2160, 50, false, EdidAspect::A64x27},
    {107, 3840, 2160, 60, false, EdidAspect::A64x27},    {108, 1280, 720, 48, false, EdidAspect::A16x9},
    {109, 1280, 720, 48, false, EdidAspect::A64x27},     {110, 1680, 720, 48, false, EdidAspect::A64x27},
    {111, 1920, 1080, 48, false, EdidAspect::A16x9},     {112, 1920, 1080, 48, false, EdidAspect::A64x27},
    {113, 2560, 1080, 48, false, EdidAspect::A64x27},    {114, 3840, 2160, 48, false, EdidAspect::A16x9},
    {115, 4096, 2160, 48, false, EdidAspect::A256x135},  {116, 3840, 2160, 48, false, EdidAspect::A64x27},
    {117, 3840, 2160, 100, false, EdidAspect::A16x9},    {118, 3840, 2160, 120, false, EdidAspect::A16x9},
    {119, 3840, 2160, 100, false, EdidAspect::A64x27},   {120, 3840, 2160, 120, false, EdidAspect::A64x27},
    {121, 5120, 2160, 24, false, EdidAspect::A64x27},    {122, 5120, 2160, 25, false, EdidAspect::A64x27},
    {123, 5120, 2160, 30, false, EdidAspect::A64x27},    {124, 5120, 2160, 48, false, EdidAspect::A64x27},
    {125, 5120, 2160, 50, false, EdidAspect::A64x27},    {126, 5120, 2160, 60, false, EdidAspect::A64x27},
    {127, 5120, 2160, 100, false, EdidAspect::A64x27},   {193, 5120, 2160, 120, false, EdidAspect::A64x27},
    {194, 7680, 4320, 24, false, EdidAspect::A16x9},     {195, 7680, 4320, 25, false, EdidAspect::A16x9},
    {196, 7680, 4320, 30, false, EdidAspect::A16x9},     {197, 7680, 4320, 48, false, EdidAspect::A16x9},
    {198, 7680, 4320, 50, false, EdidAspect::A16x9},     {199, 7680, 4320, 60, false, EdidAspect::A16x9},
    {200, 7680, 4320, 100, false, EdidAspect::A16x9},    {201, 7680, 4320, 120, false, EdidAspect::A16x9},
    {202, 7680, 4320, 24, false, EdidAspect::A64x27},    {203, 7680, 4320, 25, false, EdidAspect::A64x27},
    {204, 7680, 4320, 30, false, EdidAspect::A64x27},    {205, 7680, 4320, 48, false, EdidAspect::A64x27},
    {206, 7680, 4320, 50, false, EdidAspect::A64x27},    {207, 7680, 4320, 60, false, EdidAspect::A64x27},
    {208, 7680, 4320, 100, false, EdidAspect::A64x27},   {209, 7680, 4320, 120, false, EdidAspect::A64x27},
    {210, 10240, 4320, 24, false, EdidAspect::A64x27},   {211, 10240, 4320, 25, false, EdidAspect::A64x27},
    {212, 10240, 4320, 30, false, EdidAspect::A64x27},   {213, 10240, 4320, 48, false, EdidAspect::A64x27},
    {214, 10240, 4320, 50, false, EdidAspect::A64x27},   {215, 10240, 4320, 60, false, EdidAspect::A64x27},
    {216, 10240, 4320, 100, false, EdidAspect::A64x27},  {217, 10240, 4320, 120, false, EdidAspect::A64x27},
    {218, 4096, 2160, 100, false, EdidAspect::A256x135}, {219, 4096, 2160, 120, false, EdidAspect::A256x135},
};

constexpr bool SortedByCode()
{
    for (std::size_t i = 1; i < std::size(Vics); ++i) {
        if (Vics[i - 1].vic >= Vics[i].vic)
            return false;
    }
    return true;
}
static_assert(SortedByCode(), "the VIC table is searched by halves");
static_assert(std::size(Vics) == 127 + 27, "VICs 1-127 and 193-219");
} // namespace

const EdidVicEntry *FindVic(int vic)
{
    const auto *at = std::lower_bound(std::begin(Vics), std::end(Vics), vic,
                                      [](const EdidVicEntry &entry, int code) { return entry.vic < code; });
    return at != std::end(Vics) && at->vic == vic ? at : nullptr;
}

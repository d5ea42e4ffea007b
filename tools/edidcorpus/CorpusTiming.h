#pragma once

#include <QtGlobal>

// A video timing as the corpus writes it into an 18-byte detailed timing
// descriptor, with the name the decoder should give its format.
struct CorpusTiming
{
    const char *name; // "1080p60"
    quint32 pixelClockKHz;
    quint16 hActive, hBlank, hSyncOffset, hSyncWidth;
    quint16 vActive, vBlank, vSyncOffset, vSyncWidth; // one field when interlaced
    bool interlaced;
};

namespace CorpusTimings {
constexpr CorpusTiming P1080p60 = {"1080p60", 148500, 1920, 280, 88, 44, 1080, 45, 4, 5, false};
constexpr CorpusTiming P1080p50 = {"1080p50", 148500, 1920, 720, 528, 44, 1080, 45, 4, 5, false};
constexpr CorpusTiming P1080i60 = {"1080i60", 74250, 1920, 280, 88, 44, 540, 22, 2, 5, true};
constexpr CorpusTiming P720p60 = {"720p60", 74250, 1280, 370, 110, 40, 720, 30, 5, 5, false};
constexpr CorpusTiming P576p50 = {"720x576p50", 27000, 720, 144, 12, 64, 576, 49, 5, 5, false};
constexpr CorpusTiming P2160p60 = {"2160p60", 594000, 3840, 560, 176, 88, 2160, 90, 8, 10, false};
constexpr CorpusTiming P2160p30 = {"2160p30", 297000, 3840, 560, 176, 88, 2160, 90, 8, 10, false};
constexpr CorpusTiming W1920x1200 = {"1920x1200p60", 154000, 1920, 160, 48, 32, 1200, 35, 3, 6, false};
constexpr CorpusTiming W1680x1050 = {"1680x1050p60", 119000, 1680, 160, 48, 32, 1050, 30, 3, 6, false};
constexpr CorpusTiming W1440x900 = {"1440x900p60", 106500, 1440, 464, 80, 152, 900, 34, 3, 6, false};
constexpr CorpusTiming W2560x1440 = {"1440p60", 241500, 2560, 160, 48, 32, 1440, 41, 3, 5, false};
constexpr CorpusTiming S1280x1024 = {"1280x1024p60", 108000, 1280, 408, 48, 112, 1024, 42, 1, 3, false};
constexpr CorpusTiming S1024x768 = {"1024x768p60", 65000, 1024, 320, 24, 136, 768, 38, 3, 6, false};
constexpr CorpusTiming S1366x768 = {"768p60", 85500, 1366, 426, 70, 143, 768, 30, 3, 3, false};
} // namespace CorpusTimings

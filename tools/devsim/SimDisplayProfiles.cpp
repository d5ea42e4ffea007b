#include "tools/devsim/SimDisplayProfiles.h"

#include "protocol/EdidBlueprint.h"

#include <QFile>

namespace {

constexpr char KeepDefault[] = "-";
constexpr int EntriesMax = 16;

// CTA-861 timings of the preferred formats.
constexpr EdidDetailedTiming T2160p60 = {594000, 3840, 560, 176, 88, 2160, 90, 8, 10, false};
constexpr EdidDetailedTiming T2160p30 = {297000, 3840, 560, 176, 88, 2160, 90, 8, 10, false};
constexpr EdidDetailedTiming T1080p60 = {148500, 1920, 280, 88, 44, 1080, 45, 4, 5, false};
constexpr EdidDetailedTiming T1080i60 = {74250, 1920, 280, 88, 44, 540, 22, 2, 5, true};
constexpr EdidDetailedTiming T720p60 = {74250, 1280, 370, 110, 40, 720, 30, 5, 5, false};

// Established timing 640x480 at 60 Hz, which every CTA sink supports.
constexpr quint8 Established640x480 = 0x20;

// Audio: LPCM 2.0 at 32/44.1/48 kHz, 16/20/24 bit; LPCM 7.1 up to 192 kHz;
// AC-3 5.1 up to 640 kbit/s.
constexpr EdidAudioDescriptor Pcm2 = {1, 2, 0x07, 0x07};
constexpr EdidAudioDescriptor Pcm8 = {1, 8, 0x7F, 0x07};
constexpr EdidAudioDescriptor Ac3 = {2, 6, 0x07, 0x50};
constexpr quint8 FrontPair = 0x01;
constexpr quint8 FivePointOne = 0x0B;
constexpr quint8 DeepColour30And36 = 0x30;

struct Profile
{
    const char *name;
    const char *monitorName;
    quint16 product;
    EdidDetailedTiming timing;
    quint8 widthCm, heightCm;
    quint8 maxVHz, maxHKHz;
    quint16 maxClockMHz;
    bool cta;
    QVector<quint8> vics;
    quint8 nativeVic; // flagged native beside the preferred timing (0: none)
    QVector<EdidAudioDescriptor> audio;
    quint8 speakers;
    quint8 deepColour;
    quint16 maxTmdsMHz;
};

const QVector<Profile> &profiles()
{
    static const QVector<Profile> list = {
        {"4k60",
         "KXR 4K60 TV",
         0x4060,
         T2160p60,
         121,
         68,
         75,
         136,
         600,
         true,
         {97, 96, 95, 94, 93, 16, 31, 5, 20, 4, 19, 3, 2, 1},
         0,
         {Pcm2, Pcm8, Ac3},
         FivePointOne,
         DeepColour30And36,
         600},
        {"4k30",
         "KXR 4K30 TV",
         0x4030,
         T2160p30,
         121,
         68,
         60,
         68,
         300,
         true,
         {95, 94, 93, 16, 31, 5, 20, 4, 19, 3, 2, 1},
         0,
         {Pcm2, Ac3},
         FivePointOne,
         DeepColour30And36,
         300},
        {"1080p60",
         "KXR HD TV",
         0x1080,
         T1080p60,
         102,
         57,
         60,
         68,
         150,
         true,
         {16, 31, 5, 20, 4, 19, 3, 2, 1},
         0,
         {Pcm2},
         FrontPair,
         0,
         165},
        {"1080i",
         "KXR HDI TV",
         0x1081,
         T1080i60,
         82,
         46,
         60,
         46,
         80,
         true,
         {5, 20, 4, 19, 3, 2, 1},
         4,
         {Pcm2},
         FrontPair,
         0,
         165},
        {"720p",
         "KXR HD PROJ",
         0x0720,
         T720p60,
         0,
         0,
         60,
         46,
         80,
         true,
         {4, 19, 3, 2, 1},
         0,
         {Pcm2},
         FrontPair,
         0,
         165},
        {"dvi-1080p", "KXR DVI MON", 0x2402, T1080p60, 52, 29, 75, 83, 150, false, {}, 0, {}, 0, 0, 0},
    };
    return list;
}

EdidBlueprint blueprintOf(const Profile &p, int port)
{
    EdidBlueprint b;
    b.maker = p.cta ? "KXR" : "KXM";
    b.product = p.product;
    b.serial = quint32(port + 1);
    b.name = p.monitorName;
    b.widthCm = p.widthCm;
    b.heightCm = p.heightCm;
    b.preferred = p.timing;
    b.established[0] = Established640x480;
    b.minVHz = 24;
    b.maxVHz = p.maxVHz;
    b.minHKHz = 15;
    b.maxHKHz = p.maxHKHz;
    b.maxClockMHz = p.maxClockMHz;
    b.cta = p.cta;
    b.vics = p.vics;
    b.nativeVic = p.nativeVic;
    b.audio = p.audio;
    b.speakers = p.speakers;
    b.ycbcr444 = b.ycbcr422 = p.cta;
    b.hdmi = p.cta;
    b.physicalAddress = quint16(0x1000 * (1 + port % 4));
    b.deepColour = p.deepColour;
    b.maxTmdsMHz = p.maxTmdsMHz;
    return b;
}

} // namespace

QStringList SimDisplayProfileNames()
{
    QStringList names;
    for (const Profile &p : profiles())
        names << QLatin1String(p.name);
    return names;
}

QByteArray SimDisplayProfileEdid(const QString &name, int port)
{
    for (const Profile &p : profiles())
        if (name == QLatin1String(p.name))
            return BuildEdidImage(blueprintOf(p, port));
    return QByteArray();
}

bool ReadSimOutputEdids(const QString &text, QVector<QByteArray> &edids, QString &error)
{
    edids.clear();
    const QStringList entries = text.split(QLatin1Char(','));
    if (entries.size() > EntriesMax) {
        error = text;
        return false;
    }
    for (int port = 0; port < entries.size(); ++port) {
        const QString entry = entries[port].trimmed();
        if (entry == QLatin1String(KeepDefault)) {
            edids.append(QByteArray());
            continue;
        }
        QByteArray image = SimDisplayProfileEdid(entry, port);
        if (image.isEmpty()) {
            QFile file(entry);
            if (entry.isEmpty() || !file.open(QIODevice::ReadOnly)) {
                error = entry;
                return false;
            }
            image = file.read(EdidImageBytes);
            image.append(QByteArray(EdidImageBytes - image.size(), '\0'));
        }
        edids.append(image);
    }
    return true;
}

#include "tools/devsim/SimDisplayProfiles.h"

#include "protocol/EdidBlueprint.h"

#include <QFile>

namespace {

constexpr char KeepDefault[] = "-";
constexpr int EntriesMax = 16;

EdidDetailedTiming timing(quint32 clockKHz, quint16 hActive, quint16 hBlank, quint16 hFront, quint16 hSync,
                          quint16 vActive, quint16 vBlank, quint16 vFront, quint16 vSync, bool interlaced)
{
    EdidDetailedTiming t;
    t.pixelClockKHz = clockKHz;
    t.hActive = hActive;
    t.hBlank = hBlank;
    t.hSyncOffset = hFront;
    t.hSyncWidth = hSync;
    t.vActive = vActive;
    t.vBlank = vBlank;
    t.vSyncOffset = vFront;
    t.vSyncWidth = vSync;
    t.interlaced = interlaced;
    return t;
}

// CTA-861 timings of the preferred formats.
const EdidDetailedTiming T2160p60 = timing(594000, 3840, 560, 176, 88, 2160, 90, 8, 10, false);
const EdidDetailedTiming T2160p30 = timing(297000, 3840, 560, 176, 88, 2160, 90, 8, 10, false);
const EdidDetailedTiming T1080p60 = timing(148500, 1920, 280, 88, 44, 1080, 45, 4, 5, false);
const EdidDetailedTiming T1080i60 = timing(74250, 1920, 280, 88, 44, 540, 22, 2, 5, true);
const EdidDetailedTiming T720p60 = timing(74250, 1280, 370, 110, 40, 720, 30, 5, 5, false);

// Established timing 640x480 at 60 Hz, which every CTA sink supports.
constexpr quint8 Established640x480 = 0x20;

EdidAudioFormat audio(quint8 code, quint8 channels, quint8 rates, quint8 depths, quint16 bitrate)
{
    EdidAudioFormat a;
    a.formatCode = code;
    a.channels = channels;
    a.sampleRates = rates;
    a.bitDepths = depths;
    a.maxBitrateKbps = bitrate;
    return a;
}

// Audio: LPCM 2.0 at 32/44.1/48 kHz, 16/20/24 bit; LPCM 7.1 up to 192 kHz;
// AC-3 5.1 up to 640 kbit/s.
const EdidAudioFormat Pcm2 = audio(1, 2, 0x07, 0x07, 0);
const EdidAudioFormat Pcm8 = audio(1, 8, 0x7F, 0x07, 0);
const EdidAudioFormat Ac3 = audio(2, 6, 0x07, 0, 640);
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
    QVector<EdidAudioFormat> audio;
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
            image = file.read(EdidBlueprintBytes);
            image.append(QByteArray(EdidBlueprintBytes - image.size(), '\0'));
        }
        edids.append(image);
    }
    return true;
}

#include "tools/edidcorpus/CorpusEntries.h"

using namespace CorpusTimings;

namespace {
constexpr quint8 Name = 0xFC;
constexpr quint8 SerialText = 0xFF;
constexpr quint8 Digital = 0x80;
constexpr quint8 Digital8BitHdmiA = 0xA2;     // 1.4: 8 bits per colour, HDMI-a
constexpr quint8 Digital10BitDp = 0xB5;       // 1.4: 10 bits per colour, DisplayPort
constexpr quint8 Analog = 0x68;               // 0.7 V / 0.3 V, separate and composite sync
constexpr quint8 FeaturesRgbPreferred = 0x0A; // RGB colour, preferred timing
constexpr quint8 FeaturesContinuous = 0x0B;   // … and continuous frequency (GTF in 1.3)
constexpr quint8 FeaturesPreferredOnly = 0x02;

const QStringList VgaEstablished = {QStringLiteral("640x480p60"), QStringLiteral("800x600p60"),
                                    QStringLiteral("1024x768p60")};

// A monitor with a single base block.
CorpusEdid Monitor(const QString &file, quint8 revision, const char *pnp, quint16 product, quint32 serial,
                   const CorpusTiming &preferred, const QString &name)
{
    CorpusEdid e(file, revision);
    e.identity(pnp, product, serial, 12, 2015);
    e.input(revision >= 4 ? Digital8BitHdmiA : Digital);
    e.screen(52, 32);
    e.features(FeaturesContinuous);
    e.established(0x21, 0x08, 0x00, VgaEstablished);
    e.timing(preferred);
    e.text(Name, name);
    e.rangeLimits(50, 76, 30, 83, 170);
    return e;
}

// A television: a base block and a CTA-861 block with HDMI.
CorpusEdid Television(const QString &file, quint8 revision, const char *pnp, quint16 product, quint32 serial,
                      const QString &name)
{
    CorpusEdid e(file, revision);
    e.identity(pnp, product, serial, 30, 2019);
    e.input(revision >= 4 ? Digital8BitHdmiA : Digital);
    e.screen(121, 68);
    e.features(FeaturesContinuous);
    e.established(0x21, 0x08, 0x00, VgaEstablished);
    e.standard(1280, 1, 60, QStringLiteral("1280x960p60"));
    e.timing(P1080p60);
    e.timing(P720p60);
    e.text(Name, name);
    e.rangeLimits(24, 75, 15, 90, 160);
    e.cta(3, 0xF1);
    return e;
}

QByteArray Bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(b));
    return out;
}

void Break(CorpusEdid &e, const QString &valid, const QString &checksums, const QString &message)
{
    e.expect()[QStringLiteral("valid")] = valid;
    if (!checksums.isNull())
        e.expect()[QStringLiteral("checksums")] = checksums;
    e.expect()[QStringLiteral("message")] = message;
}

void Recheck(QByteArray &bytes, int block)
{
    int sum = 0;
    for (int i = 0; i < 127; ++i)
        sum += quint8(bytes.at(block * 128 + i));
    bytes[block * 128 + 127] = char((256 - (sum & 0xFF)) & 0xFF);
}
} // namespace

QList<CorpusEdid> CorpusEntries()
{
    QList<CorpusEdid> all;

    // Monitors with a base block only.
    {
        CorpusEdid e = Monitor(QStringLiteral("dell-u2415-13"), 3, "DEL", 0xA0C2, 0x3043534C, W1920x1200,
                               QStringLiteral("DELL U2415"));
        e.text(SerialText, QStringLiteral("7MT0156E0CSL"));
        all << e;
    }
    all << Monitor(QStringLiteral("benq-gl2450-13"), 3, "BNQ", 0x7F24, 0x00005445, P1080p60,
                   QStringLiteral("BenQ GL2450"));
    all << Monitor(QStringLiteral("acer-al1716-13"), 3, "ACR", 0x00AD, 0x7420B3C1, S1280x1024,
                   QStringLiteral("Acer AL1716"));
    all << Monitor(QStringLiteral("hp-la2205-13"), 3, "HWP", 0x2847, 0x01010101, W1680x1050,
                   QStringLiteral("HP LA2205"));
    {
        CorpusEdid e = Monitor(QStringLiteral("samsung-s19-13"), 3, "SAM", 0x0367, 0x4D573731, W1440x900,
                               QStringLiteral("SyncMaster"));
        e.standard(1440, 0, 60, QStringLiteral("1440x900p60"));
        e.standard(1280, 2, 60, QStringLiteral("1280x1024p60"));
        e.standard(1152, 1, 75, QStringLiteral("1152x864p75"));
        all << e;
    }
    {
        CorpusEdid e(QStringLiteral("eizo-cg279x-14"), 4);
        e.identity("ENC", 0x2746, 0x0099AB12, 0xFF, 2021);
        e.input(Digital10BitDp);
        e.screen(60, 34);
        e.features(FeaturesRgbPreferred);
        e.timing(W2560x1440);
        e.text(Name, QStringLiteral("CG279X"));
        e.text(SerialText, QStringLiteral("24800010"));
        e.standard(1920, 3, 60, QStringLiteral("1080p60"));
        all << e;
    }
    {
        CorpusEdid e(QStringLiteral("philips-272e-14"), 4);
        e.identity("PHL", 0xC0A2, 0x0000ABCD, 44, 2018);
        e.input(Digital8BitHdmiA);
        e.screen(60, 34);
        e.features(FeaturesContinuous);
        e.established(0x21, 0x08, 0x00, VgaEstablished);
        e.timing(P1080p60);
        e.rangeLimits(48, 75, 30, 85, 170);
        e.text(Name, QStringLiteral("PHL 272E1"));
        all << e;
    }
    {
        CorpusEdid e(QStringLiteral("nec-analog-13"), 3);
        e.identity("NEC", 0x6700, 12345, 3, 2008);
        e.input(Analog);
        e.screen(34, 27);
        e.features(0x0E);
        e.established(0xFF, 0xFF, 0x80,
                      {QStringLiteral("720x400p70"), QStringLiteral("720x400p88"), QStringLiteral("640x480p60"),
                       QStringLiteral("640x480p67"), QStringLiteral("640x480p72"), QStringLiteral("640x480p75"),
                       QStringLiteral("800x600p56"), QStringLiteral("800x600p60"), QStringLiteral("800x600p72"),
                       QStringLiteral("800x600p75"), QStringLiteral("832x624p75"), QStringLiteral("1024x768i87"),
                       QStringLiteral("1024x768p60"), QStringLiteral("1024x768p70"), QStringLiteral("1024x768p75"),
                       QStringLiteral("1280x1024p75"), QStringLiteral("1152x870p75")});
        e.timing(S1280x1024, 0x18);
        e.text(Name, QStringLiteral("MultiSync"));
        e.rangeLimits(56, 76, 31, 81, 140);
        all << e;
    }
    {
        CorpusEdid e =
            Monitor(QStringLiteral("lenovo-dual-dtd-14"), 4, "LEN", 0x40A0, 0, S1366x768, QStringLiteral("LEN T2224"));
        e.timing(S1024x768);
        all << e;
    }
    {
        // The preferred timing is interlaced.
        CorpusEdid e =
            Monitor(QStringLiteral("jvc-1080i-13"), 3, "JVC", 0x0101, 1, P1080i60, QStringLiteral("JVC VIDEO"));
        all << e;
    }

    // Televisions, projectors and receivers with a CTA-861 block.
    {
        CorpusEdid e =
            Television(QStringLiteral("samsung-tv-1080-13"), 3, "SAM", 0x0C79, 0x01000E00, QStringLiteral("SAMSUNG"));
        e.vics({0x90, 4, 31, 19, 5, 20, 3, 18},
               QStringLiteral(
                   "16*=1080p60 4=720p60 31=1080p50 19=720p50 5=1080i60 20=1080i50 3=720x480p60 18=720x576p50"));
        e.audio({0x09, 0x07, 0x07}, QStringLiteral("LPCM:2:07:7"));
        e.speakers(0x01, 0, 0);
        e.hdmi(0x1000, 0x00, 0x21, QStringLiteral("1.0.0.0 165"));
        all << e;
    }
    {
        CorpusEdid e =
            Television(QStringLiteral("lg-oled-4k-13"), 3, "GSM", 0xC0A7, 0x01010101, QStringLiteral("LG TV SSCR2"));
        e.vics({97, 96, 95, 94, 93, 0x90, 31, 4, 19, 98},
               QStringLiteral("97=2160p60 96=2160p50 95=2160p30 94=2160p25 93=2160p24 16*=1080p60 31=1080p50 4=720p60 "
                              "19=720p50 98=4096x2160p24"));
        e.audio({0x09, 0x07, 0x07, 0x15, 0x07, 0x50, 0x57, 0x06, 0x00},
                QStringLiteral("LPCM:2:07:7 AC-3:6:07:640 E-AC-3:8:06:0"));
        e.speakers(0x0F, 0, 0);
        e.hdmi(0x2000, 0xB8, 0x44, QStringLiteral("2.0.0.0 340 30 36"));
        e.hdmiForum(0x78, 0x80, 0x03);
        e.hdr(0x0D, 0x01, 0x60, 0x50, 0x20);
        all << e;
    }
    {
        CorpusEdid e =
            Television(QStringLiteral("sony-bravia-14"), 4, "SNY", 0x2C01, 0x01010101, QStringLiteral("SONY TV"));
        e.vics({0x90, 4, 31, 19, 5, 20, 32, 33, 34, 63, 64},
               QStringLiteral("16*=1080p60 4=720p60 31=1080p50 19=720p50 5=1080i60 20=1080i50 32=1080p24 33=1080p25 "
                              "34=1080p30 63=1080p120 64=1080p100"));
        e.audio({0x09, 0x07, 0x07, 0x3D, 0x07, 0xC0}, QStringLiteral("LPCM:2:07:7 DTS:6:07:1536"));
        e.hdmi(0x1000, 0x78, 0x3C, QStringLiteral("1.0.0.0 300 30 36 48"));
        all << e;
    }
    {
        CorpusEdid e = Television(QStringLiteral("denon-avr-13"), 3, "DON", 0x0030, 0, QStringLiteral("DENON-AVR"));
        e.vics({0x90, 4, 31, 19, 2, 17},
               QStringLiteral("16*=1080p60 4=720p60 31=1080p50 19=720p50 2=720x480p60 17=720x576p50"));
        e.audio({0x0F, 0x7F, 0x07, 0x15, 0x07, 0x50, 0x3D, 0x07, 0xC0, 0x57, 0x06,
                 0x00, 0x5F, 0x7F, 0x01, 0x67, 0x54, 0x00, 0x4D, 0x02, 0x00},
                QStringLiteral(
                    "LPCM:8:7f:7 AC-3:6:07:640 DTS:6:07:1536 E-AC-3:8:06:0 DTS-HD:8:7f:0 MLP:8:54:0 DSD:6:02:0"));
        e.speakers(0x4F, 0, 0);
        e.hdmi(0x1100, 0x80, 0x3C, QStringLiteral("1.1.0.0 300"));
        all << e;
    }
    {
        CorpusEdid e =
            Television(QStringLiteral("epson-projector-13"), 3, "EPS", 0x0A2F, 0x00000101, QStringLiteral("EPSON PJ"));
        e.vics({0x90, 4, 5, 3}, QStringLiteral("16*=1080p60 4=720p60 5=1080i60 3=720x480p60"));
        e.audio({0x09, 0x06, 0x01}, QStringLiteral("LPCM:2:06:1"));
        e.hdmi(0x1000, 0x00, 0x00, QStringLiteral("1.0.0.0 0"));
        all << e;
    }
    {
        CorpusEdid e = Television(QStringLiteral("panasonic-14-model-year"), 4, "MEI", 0xA1B2, 0x00C0FFEE,
                                  QStringLiteral("Panasonic-TV"));
        e.identity("MEI", 0xA1B2, 0x00C0FFEE, 0xFF, 2020);
        e.vics({0x90, 4, 31, 19, 97, 96},
               QStringLiteral("16*=1080p60 4=720p60 31=1080p50 19=720p50 97=2160p60 96=2160p50"));
        e.audio({0x09, 0x07, 0x07, 0x31, 0x07, 0x28}, QStringLiteral("LPCM:2:07:7 AAC-LC:2:07:320"));
        e.hdmi(0x3000, 0xB8, 0x44, QStringLiteral("3.0.0.0 340 30 36"));
        e.hdmiForum(0x78, 0x80, 0x00);
        e.hdr(0x05, 0x01, 0x70, 0x60, 0x10);
        all << e;
    }
    {
        CorpusEdid e = Television(QStringLiteral("hisense-8k-14"), 4, "HEC", 0x8000, 7, QStringLiteral("HISENSE 8K"));
        e.vics({0x90, 97, 199, 194, 198}, QStringLiteral("16*=1080p60 97=2160p60 199=4320p60 194=4320p24 198=4320p50"));
        e.audio({0x09, 0x07, 0x07}, QStringLiteral("LPCM:2:07:7"));
        e.hdmi(0x1000, 0xB8, 0x44, QStringLiteral("1.0.0.0 340 30 36"));
        e.hdmiForum(0xC8, 0x80, 0x07);
        all << e;
    }
    {
        // A television whose CTA block carries its own detailed timings.
        CorpusEdid e = Television(QStringLiteral("toshiba-cta-dtd-13"), 3, "TSB", 0x0206, 0x00000001,
                                  QStringLiteral("TOSHIBA-TV"));
        e.vics({0x90, 4}, QStringLiteral("16*=1080p60 4=720p60"));
        e.audio({0x09, 0x07, 0x07}, QStringLiteral("LPCM:2:07:7"));
        e.hdmi(0x1000, 0x00, 0x00, QStringLiteral("1.0.0.0 0"));
        e.ctaTiming(P1080i60);
        e.ctaTiming(P576p50);
        e.ctaTiming(P1080p50);
        all << e;
    }
    {
        // CTA revision 1: no data blocks, detailed timings only.
        CorpusEdid e = Monitor(QStringLiteral("dvi-cta1-13"), 3, "VSC", 0x1C2A, 5, P1080p60, QStringLiteral("VX2450"));
        e.cta(1, 0x00);
        e.ctaTiming(P720p60);
        all << e;
    }
    {
        // The 1440-wide pixel-repeated SD formats.
        CorpusEdid e = Television(QStringLiteral("sharp-sd-13"), 3, "SHP", 0x1048, 0, QStringLiteral("SHARP HDMI"));
        e.vics({0x90, 6, 7, 21, 1},
               QStringLiteral("16*=1080p60 6=1440x480i60 7=1440x480i60 21=1440x576i50 1=640x480p60"));
        e.hdmi(0x1000, 0x00, 0x00, QStringLiteral("1.0.0.0 0"));
        all << e;
    }
    {
        CorpusEdid e =
            Television(QStringLiteral("vizio-4k-hdr-14"), 4, "VIZ", 0x1008, 0x01010101, QStringLiteral("VIZIO"));
        e.vics({97, 0x90, 95, 93}, QStringLiteral("97=2160p60 16*=1080p60 95=2160p30 93=2160p24"));
        e.audio({0x09, 0x07, 0x07, 0x15, 0x07, 0x50}, QStringLiteral("LPCM:2:07:7 AC-3:6:07:640"));
        e.hdmi(0x4000, 0xF8, 0x44, QStringLiteral("4.0.0.0 340 30 36 48"));
        e.hdr(0x0F, 0x01, 0x5A, 0x4B, 0x00);
        e.ctaTiming(P2160p30);
        all << e;
    }
    {
        CorpusEdid e = Television(QStringLiteral("apple-display-14"), 4, "APP", 0xAE2D, 0x00000001,
                                  QStringLiteral("Apple TV Disp"));
        e.vics({0x90}, QStringLiteral("16*=1080p60"));
        e.hdmi(0x1000, 0x00, 0x3C, QStringLiteral("1.0.0.0 300"));
        e.ctaTiming(P2160p60);
        all << e;
    }

    // Broken on purpose.
    {
        CorpusEdid e = Monitor(QStringLiteral("broken-header"), 3, "BRK", 1, 1, P1080p60, QStringLiteral("NO HEADER"));
        e.bytes();
        e.raw()[1] = char(0x00);
        Recheck(e.raw(), 0);
        Break(e, QStringLiteral("no"), QString(), QStringLiteral("header"));
        all << e;
    }
    {
        CorpusEdid e =
            Monitor(QStringLiteral("broken-base-checksum"), 3, "BRK", 2, 2, P1080p60, QStringLiteral("BAD SUM"));
        e.bytes();
        e.raw()[127] = char(quint8(e.raw().at(127)) ^ 0x5A);
        Break(e, QStringLiteral("no"), QStringLiteral("bad"), QStringLiteral("checksum"));
        all << e;
    }
    {
        CorpusEdid e = Television(QStringLiteral("broken-cta-checksum"), 3, "BRK", 3, 3, QStringLiteral("BAD CTA SUM"));
        e.vics({0x90, 4}, QStringLiteral("16*=1080p60 4=720p60"));
        e.bytes();
        e.raw()[255] = char(quint8(e.raw().at(255)) + 1);
        Break(e, QStringLiteral("no"), QStringLiteral("ok bad"), QStringLiteral("checksum"));
        all << e;
    }
    {
        // 100 bytes: not even a base block.
        CorpusEdid e =
            Monitor(QStringLiteral("broken-truncated-base"), 3, "BRK", 4, 4, P1080p60, QStringLiteral("SHORT"));
        e.bytes();
        e.raw().truncate(100);
        QMap<QString, QString> &x = e.expect();
        x.clear();
        x[QStringLiteral("valid")] = QStringLiteral("no");
        x[QStringLiteral("message")] = QStringLiteral("truncated");
        all << e;
    }
    {
        // The CTA block is cut off after 72 bytes.
        CorpusEdid e = Television(QStringLiteral("broken-truncated-cta"), 3, "BRK", 5, 5, QStringLiteral("SHORT CTA"));
        e.vics({0x90, 4}, QStringLiteral("16*=1080p60 4=720p60"));
        e.bytes();
        e.raw().truncate(200);
        e.expect().remove(QStringLiteral("vics"));
        e.expect().remove(QStringLiteral("formats"));
        Break(e, QStringLiteral("no"), QStringLiteral("ok"), QStringLiteral("announced"));
        all << e;
    }
    {
        // Byte 126 announces one extension; the file holds the base block.
        CorpusEdid e =
            Monitor(QStringLiteral("broken-count-no-block"), 3, "BRK", 6, 6, P1080p60, QStringLiteral("COUNT ONE"));
        e.bytes();
        e.raw()[126] = 1;
        Recheck(e.raw(), 0);
        Break(e, QStringLiteral("no"), QStringLiteral("ok"), QStringLiteral("announced"));
        all << e;
    }
    {
        // Byte 126 says none, yet a CTA block follows: it is ignored.
        CorpusEdid e = Television(QStringLiteral("broken-count-zero"), 3, "BRK", 7, 7, QStringLiteral("COUNT ZERO"));
        e.vics({0x90, 4}, QStringLiteral("16*=1080p60 4=720p60"));
        e.bytes();
        e.raw()[126] = 0;
        Recheck(e.raw(), 0);
        e.expect().remove(QStringLiteral("vics"));
        e.expect()[QStringLiteral("formats")] =
            QStringLiteral("640x480p60 800x600p60 1024x768p60 1280x960p60 1080p60 720p60");
        e.expect()[QStringLiteral("checksums")] = QStringLiteral("ok");
        e.expect()[QStringLiteral("message")] = QStringLiteral("ignored");
        all << e;
    }
    {
        // A video data block says 30 bytes; the data block area ends sooner.
        CorpusEdid e = Television(QStringLiteral("broken-cta-overrun"), 3, "BRK", 8, 8, QStringLiteral("OVERRUN"));
        e.vics({0x90, 4}, QStringLiteral("16*=1080p60 4=720p60"));
        e.audio({0x09, 0x07, 0x07}, QStringLiteral("LPCM:2:07:7"));
        e.bytes();
        e.raw()[128 + 4 + 3] = char((1 << 5) | 30); // the audio block's header
        Recheck(e.raw(), 1);
        e.expect().remove(QStringLiteral("audio"));
        Break(e, QStringLiteral("no"), QString(), QStringLiteral("overruns"));
        all << e;
    }
    {
        CorpusEdid e = Television(QStringLiteral("broken-cta-offset"), 3, "BRK", 9, 9, QStringLiteral("BAD OFFSET"));
        e.bytes();
        e.raw()[130] = char(2);
        Recheck(e.raw(), 1);
        Break(e, QStringLiteral("no"), QString(), QStringLiteral("offset 2"));
        all << e;
    }
    {
        CorpusEdid e(QStringLiteral("broken-13-no-name"), 3);
        e.identity("BRK", 10, 10, 1, 2010);
        e.input(Digital);
        e.features(FeaturesContinuous);
        e.timing(P1080p60);
        e.rangeLimits(50, 75, 30, 80, 170);
        e.bytes();
        Break(e, QStringLiteral("no"), QString(), QStringLiteral("monitor name"));
        all << e;
    }
    {
        CorpusEdid e(QStringLiteral("broken-range-inverted"), 3);
        e.identity("BRK", 11, 11, 1, 2010);
        e.input(Digital);
        e.features(FeaturesContinuous);
        e.timing(P1080p60);
        e.text(Name, QStringLiteral("RANGE"));
        e.rangeLimits(76, 50, 30, 80, 170);
        e.expect()[QStringLiteral("range")] = QStringLiteral("76-50 Hz 30-80 kHz 170 MHz");
        e.bytes();
        Break(e, QStringLiteral("no"), QString(), QStringLiteral("minimum 76 Hz above maximum 50 Hz"));
        all << e;
    }
    {
        // The preferred timing's sync ends past its horizontal blanking.
        CorpusEdid e =
            Monitor(QStringLiteral("broken-dtd-sync"), 4, "BRK", 12, 12, P1080p60, QStringLiteral("BAD DTD"));
        e.bytes();
        e.raw()[54 + 8] = char(250); // horizontal sync offset 250 of a 280 blanking, width 44
        Recheck(e.raw(), 0);
        Break(e, QStringLiteral("no"), QString(), QStringLiteral("past the blanking"));
        all << e;
    }
    {
        CorpusEdid e = Television(QStringLiteral("broken-audio-length"), 3, "BRK", 13, 13, QStringLiteral("AUDIO LEN"));
        e.vics({0x90}, QStringLiteral("16*=1080p60"));
        e.rawDataBlock(Bytes({(1 << 5) | 4, 0x09, 0x07, 0x07, 0x00}));
        e.bytes();
        e.expect()[QStringLiteral("audio")] = QStringLiteral("LPCM:2:07:7");
        Break(e, QStringLiteral("no"), QString(), QStringLiteral("not a multiple of 3"));
        all << e;
    }
    {
        CorpusEdid e =
            Monitor(QStringLiteral("broken-version-2"), 3, "BRK", 14, 14, P1080p60, QStringLiteral("VERSION 2"));
        e.bytes();
        e.raw()[18] = 2;
        e.raw()[19] = 0;
        Recheck(e.raw(), 0);
        e.expect()[QStringLiteral("version")] = QStringLiteral("2.0");
        Break(e, QStringLiteral("no"), QString(), QStringLiteral("only EDID 1.x"));
        all << e;
    }
    {
        // Valid, with a warning: the preferred 1080p50 is announced nowhere else.
        CorpusEdid e(QStringLiteral("warn-preferred-unlisted-14"), 4);
        e.identity("WRN", 16, 16, 20, 2022);
        e.input(Digital8BitHdmiA);
        e.features(FeaturesPreferredOnly);
        e.timing(P1080p50);
        e.text(Name, QStringLiteral("UNLISTED"));
        e.cta(3, 0x40);
        e.vics({4, 0x90}, QStringLiteral("4=720p60 16*=1080p60"));
        e.hdmi(0x1000, 0x00, 0x00, QStringLiteral("1.0.0.0 0"));
        e.bytes();
        e.expect()[QStringLiteral("message")] = QStringLiteral("listed nowhere else");
        all << e;
    }
    return all;
}

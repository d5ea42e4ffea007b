#include "cli/CliHelp.h"

namespace {

struct CommandHelp
{
    const char *topic;
    const char *text;
};

constexpr char ProgramHelp[] =
    "Usage: kxrctl [LINK] [--timeout MS] [--json] [-q|-v] COMMAND [ARGUMENTS]\n"
    "\n"
    "Controls the matrix switcher from scripts: each command waits for the\n"
    "device's own reply before kxrctl exits. Channel and preset numbers are\n"
    "1-based, as the window shows them.\n"
    "\n"
    "Link (one of them; search needs none; without one: KXRCTL_TCP,\n"
    "KXRCTL_SERIAL, then the window's last address):\n"
    "  --tcp HOST[:PORT]   the device's address; PORT defaults to the window's setting\n"
    "  --gateway HOST[:PORT] a kxr-gateway's device port (PORT defaults to 5000)\n"
    "  --serial DEVICE     a serial port, e.g. /dev/ttyUSB0\n"
    "  --baud N            serial baud rate (default: the window's setting)\n"
    "  --timeout MS        wait this long for every reply instead of each\n"
    "                      command's own timeout\n"
    "  --json              results and errors as JSON objects (with \"schema\")\n"
    "  -q, --quiet         no results, the exit status alone\n"
    "  -v, --verbose       the link's source and every frame on standard error\n"
    "  --version           the version\n"
    "\n"
    "Commands:\n"
    "  status [--json]          identification, counts, routing, audio, signals, pairing, TV wall\n"
    "  route IN OUT|all ...     switch inputs to outputs, pair after pair\n"
    "  route --from FILE|-      a salvo: one \"IN OUT\" a line (status output replays)\n"
    "  route ... --dry-run      print what the pairs would change, switch nothing\n"
    "  salvo list|show|save|apply|rename|delete|export|import\n"
    "                           the window's salvos: named routing snapshots\n"
    "  audio IN                 switch the analogue audio (LR/TOSLINK) to an input\n"
    "  preset save N            store the current state in preset N\n"
    "  preset load N            recall preset N and print the new routing\n"
    "  edid read OUT -o FILE|-  save the EDID of the display on an output\n"
    "  edid write IN FILE       write an EDID file into an input\n"
    "  edid show OUT|FILE       decode an output's EDID or a file [--json]\n"
    "  edid check FILE          check an EDID file (status 5: invalid)\n"
    "  search [--tcp HOST]      find network modules on the local networks (UDP)\n"
    "  raw [--body] HEX...      send bytes (or a framed body), print what comes back\n"
    "  watch [--json]           print every frame the device sends unasked\n"
    "  help [COMMAND]           this text, or a command's own\n"
    "\n"
    "Exit status: 0 success, 2 usage error, 3 no connection, 4 no confirmation\n"
    "within the timeout, 5 the device's reply contradicts the request.\n"
    "Results go to standard output, messages to standard error.\n"
    "Run \"kxrctl COMMAND --help\" for the details of a command.\n";

constexpr CommandHelp CommandHelps[] = {
    {"status",
     "Usage: kxrctl LINK status [--json]\n"
     "\n"
     "Identifies the device, reads all it reports (routing, the audio input,\n"
     "every input's and output's signal, the input pairing and the TV wall)\n"
     "and prints it. Text lines start with a keyword (device, route, audio,\n"
     "input, output, wall, cell); --json prints one object whose shape is\n"
     "described in docs/cli.md.\n"},
    {"route",
     "Usage: kxrctl LINK route IN OUT|all [IN OUT|all]... [--dry-run]\n"
     "       kxrctl LINK route --from FILE|- [--dry-run]\n"
     "\n"
     "Switches input IN to output OUT, or to every output, pair after pair.\n"
     "The device answers with its routing table; kxrctl prints the routed\n"
     "outputs as \"route IN OUT\" lines. When the table does not show a switch\n"
     "the routing is read again; status 5 when it still does not. --from reads\n"
     "the pairs from FILE or standard input: one \"IN OUT\" (or \"route IN OUT\")\n"
     "a line, # comments; the other lines of \"status\" are skipped. Every pair\n"
     "is checked before anything is switched; the summary names the pairs that\n"
     "did not hold, and the status is 0 only when all held. --dry-run reads the\n"
     "routing and prints what would change, \"output 3: 2 -> 5\" a line, and\n"
     "switches nothing.\n"},
    {"salvo",
     "Usage: kxrctl salvo list [--json]\n"
     "       kxrctl salvo show NAME [--json]\n"
     "       kxrctl LINK salvo save NAME [OUTPUTS]\n"
     "       kxrctl LINK salvo apply NAME|FILE|- [--dry-run]\n"
     "       kxrctl salvo rename NAME NEW-NAME\n"
     "       kxrctl salvo delete NAME\n"
     "       kxrctl salvo export NAME FILE|-\n"
     "       kxrctl salvo import FILE|-\n"
     "\n"
     "Salvos are named routing snapshots, one JSON file each, shared with the\n"
     "window: in $KXR_SALVO_DIR when set, else ~/.local/share/kxr/salvos.\n"
     "save reads the device's routing and stores it, for every output or the\n"
     "OUTPUTS given (e.g. 1,3,5-8); a salvo of that name is replaced. show\n"
     "prints it as \"route IN OUT\" lines (they replay with route --from).\n"
     "apply reads the routing, switches only the outputs whose input differs\n"
     "and confirms each, printing \"output 3: 2 -> 5\" per change that held;\n"
     "status 0 only when all held. --dry-run prints the same lines and\n"
     "switches nothing. A salvo that does not fit the device is refused\n"
     "(status 2) before anything is sent. NAME is looked up among the salvos\n"
     "first, then as a file. import refuses a broken file, naming the line,\n"
     "and a name that is taken; nothing changes then.\n"},
    {"audio",
     "Usage: kxrctl LINK audio IN\n"
     "\n"
     "Switches the analogue audio output (LR/TOSLINK) to input IN and prints\n"
     "\"audio IN\" as the device reports it; 5 when it reports another input.\n"},
    {"preset",
     "Usage: kxrctl LINK preset save N\n"
     "       kxrctl LINK preset load N\n"
     "\n"
     "Stores the device's current state in preset N, or recalls it. The device\n"
     "does not answer these commands itself: kxrctl reads the routing back\n"
     "afterwards, so success means the device took the command and answers\n"
     "again. load prints the new routing as \"route IN OUT\" lines. N above the\n"
     "device's preset count is refused (status 2) before anything is sent.\n"},
    {"edid",
     "Usage: kxrctl LINK edid read OUT -o FILE|-\n"
     "       kxrctl LINK edid write IN FILE|-\n"
     "       kxrctl [LINK] edid show OUT|FILE [--json]\n"
     "       kxrctl edid check FILE\n"
     "\n"
     "read saves the 256-byte EDID of the display on output OUT into FILE\n"
     "(-: standard output). A directory, a device or a file that may not be\n"
     "written is refused before anything is sent.\n"
     "write loads FILE (a raw EDID image of at most 256 bytes), checks it as\n"
     "the window does (header and block checksums) and writes it into input\n"
     "IN block by block. A file that is missing or fails the check is never\n"
     "sent (status 2).\n"
     "show decodes the EDID of the display on output OUT (read as read does,\n"
     "needs LINK) or of FILE (no device): make, product, timings, VICs, audio,\n"
     "HDMI blocks, the formats it announces, errors and warnings first. A\n"
     "FILE whose name is a number is given as ./NAME.\n"
     "check prints the decoder's errors and warnings for FILE and exits with\n"
     "status 0 when it has no error, 5 when it has.\n"},
    {"search",
     "Usage: kxrctl search [--tcp HOST] [--json] [--timeout MS] [--udp-port N]\n"
     "\n"
     "Broadcasts the network-module search from every local IPv4 address (or\n"
     "sends it to HOST alone) and\n"
     "prints one line per module that answers within the timeout (default\n"
     "1000 ms): name, IP address, MAC address and version, separated by tabs;\n"
     "with --json one object per line. Status 4 when no module answers.\n"
     "--udp-port sends to another port than the modules' own 1901 (a test and\n"
     "lab aid, e.g. for the device simulator).\n"},
    {"raw",
     "Usage: kxrctl LINK raw [--body] HEX... [--json] [--timeout MS]\n"
     "\n"
     "Sends the bytes exactly as typed (hexadecimal pairs, spaces allowed),\n"
     "without identifying the device first, and prints every frame that comes\n"
     "back until the reply, at most for the timeout (default 1000 ms), one per\n"
     "line, decoded where kxrctl knows the frame. With --body the bytes are a\n"
     "command byte and its payload: the start, length, checksum and end of the\n"
     "frame are added. Status 4 when nothing comes back.\n"},
    {"watch",
     "Usage: kxrctl LINK watch [--json] [--for MS] [--count N]\n"
     "\n"
     "Identifies the device, then prints every frame it sends unasked, one\n"
     "line each, decoded where kxrctl knows the frame, until interrupted\n"
     "(Ctrl-C or SIGTERM: status 0), until its reader goes away (status 0),\n"
     "until --for MS have passed or --count N frames have been printed. A lost\n"
     "link ends it with status 3.\n"},
};

} // namespace

QString CliHelpText(const QString &topic)
{
    for (const CommandHelp &help : CommandHelps) {
        if (topic == QLatin1String(help.topic))
            return QString::fromLatin1(help.text);
    }
    return QString::fromLatin1(ProgramHelp);
}

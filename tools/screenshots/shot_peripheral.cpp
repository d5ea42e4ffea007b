// The peripheral page connected to the simulator, with the IO states read
// from the device and five command lines filled in, in both languages; and
// the same page while a note is edited: shot_peripheral OUTDIR
#include "ShotSupport.h"

#include "chrome/MyComboBox.h"
#include "pages/peripheral/IoGroupBox.h"
#include "pages/peripheral/UserCmdLines.h"
#include "pages/peripheral/Ui_Peripheral.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QtTest>

namespace {
constexpr int Width = 1280;
constexpr int Height = 800;

struct Line
{
    int target;
    int port;
    int baud;
    bool hex;
    const char *payload;
    const char *note;
    const char *order;
    const char *delay;
};

const Line Lines[] = {
    {0, 0, 0, false, "PWR ON\\r", "Projector on", "1", "3000"},
    {1, 1, 2, true, "AA 55 02 00 01", "Camera 2 preset", "2", "500"},
    {2, 3, 4, false, "INPUT HDMI1\\r\\n", "Display 4 input", "3", "1000"},
    {2, 8, 0, true, "8C 00 00 02 01 8F", "All displays on", "4", "1000"},
    {0, 0, 1, false, "VOL 20\\r", "Send", "", "1000"},
};

void fill(UserCmdLines *lines)
{
    QComboBox *count = lines->lineCountBox();
    count->setCurrentIndex(int(std::size(Lines)) - 1);
    emit count->activated(count->currentIndex());
    for (int i = 0; i < int(std::size(Lines)); ++i) {
        const Line &l = Lines[i];
        const UserCmdRow &row = lines->row(i);
        row.target->setCurrentIndex(l.target);
        emit row.target->activated(l.target);
        if (l.target != 0)
            row.port->setCurrentIndex(l.port);
        row.baud->setCurrentIndex(l.baud);
        row.hex->setChecked(l.hex);
        row.payload->setText(QString::fromUtf8(l.payload));
        row.note->setText(QString::fromUtf8(l.note));
        row.order->setText(QString::fromUtf8(l.order));
        row.delay->setText(QString::fromUtf8(l.delay));
    }
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    SimOptions options = SimHarness::TestOptions();
    options.model.ioInputs = 0x0A;
    options.model.ioOutputs = 0x09;
    options.model.relays = 0x06;
    ConnectedProgram program(options, ConnectedProgram::Link::Tcp, {{"Key_UI_Peripheral", "1"}});
    if (!program.ok()) {
        QTextStream(stderr) << program.why() << '\n';
        return 1;
    }
    Ui_Main *window = program.window();
    Ui_Peripheral *page = window->peripheralPage();
    ShowMainWindow(window, Width, Height);
    window->tabWidget()->setCurrentWidget(page);
    for (IoGroupBox *box : {page->ioInputs(), page->ioOutputs(), page->relays()})
        QTest::mouseClick(box->readButton(), Qt::LeftButton);
    program.waitQuiet();
    fill(page->cmdLines());
    Settle(500);
    bool ok = GrabScreen(out + QStringLiteral("/peripheral-lines-en.png"));
    QTest::mouseClick(page->cmdLines()->row(4).edit, Qt::LeftButton);
    page->cmdLines()->noteEditor()->setText(QStringLiteral("Volume 20"));
    ok = GrabScreen(out + QStringLiteral("/peripheral-editnote-en.png")) && ok;
    QTest::keyClick(page->cmdLines()->noteEditor(), Qt::Key_Return);
    SelectLanguage(window, false);
    Settle(500);
    ok = GrabScreen(out + QStringLiteral("/peripheral-lines-zh.png")) && ok;
    QTest::mouseClick(page->cmdLines()->row(4).edit, Qt::LeftButton);
    ok = GrabScreen(out + QStringLiteral("/peripheral-editnote-zh.png")) && ok;
    QTest::keyClick(page->cmdLines()->noteEditor(), Qt::Key_Return);
    SelectLanguage(window, true);
    return ok ? 0 : 1;
}

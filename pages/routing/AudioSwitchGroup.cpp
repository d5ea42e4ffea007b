#include "pages/routing/AudioSwitchGroup.h"

#include "app/LanguageTable.h"
#include "pages/routing/MatrixPaging.h"
#include "protocol/DeviceState.h"

#include <QLabel>
#include <QPushButton>

using namespace MatrixGeometry;

namespace {
constexpr int Inset = 4;
constexpr int ArrowWidth = 32;
constexpr int ArrowGap = 2;
constexpr int ButtonsTop = CornerY;
constexpr int ArrowsTop = ButtonsTop + RowHeight + Inset;
const char AudioLabel[] = "LR/TOSLINK";
const QChar LeftArrow(0x2190);
const QChar UpArrow(0x2191);
const QChar RightArrow(0x2192);
const QChar DownArrow(0x2193);
} // namespace

AudioSwitchGroup::AudioSwitchGroup(QWidget *parent)
    : QGroupBox(parent)
    , m_label(new QLabel(QLatin1String(AudioLabel), this))
    , m_left(new QPushButton(LeftArrow, this))
    , m_right(new QPushButton(RightArrow, this))
    , m_up(new QPushButton(UpArrow, this))
    , m_down(new QPushButton(DownArrow, this))
{
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setGeometry(CornerX, ButtonsTop, CornerWidth, RowHeight);
    int x = CornerX;
    for (QPushButton *arrow : {m_left, m_right, m_up, m_down}) {
        arrow->setGeometry(x, ArrowsTop, ArrowWidth, RowHeight);
        arrow->hide();
        x += ArrowWidth + ArrowGap;
    }
}

void AudioSwitchGroup::retranslate()
{
    setTitle(SgroupBox_LRSwitch);
    m_label->setText(QLatin1String(AudioLabel));
    m_left->setText(LeftArrow);
    m_right->setText(RightArrow);
    m_up->setText(UpArrow);
    m_down->setText(DownArrow);
}

void AudioSwitchGroup::build(quint32 inputsPerPage)
{
    m_inputsPerPage = inputsPerPage;
    m_buttons.build(this, inputsPerPage, [](quint32 column) {
        return QRect(InputNumberRect(column).x(), ButtonsTop, ColumnWidth, RowHeight);
    });
    resizeToContent();
}

void AudioSwitchGroup::showPaging(bool inputs, bool outputs)
{
    m_left->setVisible(inputs);
    m_right->setVisible(inputs);
    m_up->setVisible(outputs);
    m_down->setVisible(outputs);
    resizeToContent();
}

void AudioSwitchGroup::resizeToContent()
{
    const bool arrows = !m_left->isHidden() || !m_up->isHidden();
    const int height = (arrows ? ArrowsTop : ButtonsTop) + RowHeight + Inset;
    resize(RoutingGroupSize(m_inputsPerPage, 0).width(), height);
}

void AudioSwitchGroup::redraw(const MatrixPaging &paging)
{
    const DeviceState &device = Device();
    m_label->setText(QLatin1String(AudioLabel));
    for (QPushButton *button : m_buttons.buttons()) {
        button->setFlat(false);
        button->hide();
    }
    const quint32 shown = qMin(paging.shownInputs(device.inputCount), quint32(m_buttons.size()));
    for (quint32 c = 0; c < shown; ++c) {
        QPushButton *button = m_buttons.at(int(c));
        button->show();
        if (paging.firstInput() + c == device.lrInput)
            button->setFlat(true);
    }
}

#include "pages/routing/Ui_Admin.h"

#include "app/LanguageTable.h"
#include "chrome/FramelessChrome.h"
#include "chrome/MessageBox.h"
#include "protocol/Catalogue.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int ContentWidth = 560;
constexpr int ContentHeight = 280;
constexpr int ButtonWidth = 90;
constexpr int Margin = 12;

// The text's Latin-1 bytes, cut to the field's width; the command pads the
// rest with zero bytes.
QByteArray FieldBytes(const QLineEdit *edit, int width)
{
    return edit->text().toLatin1().left(width);
}
} // namespace

Ui_Admin::Ui_Admin(QWidget *parent)
    : PageDialog(parent)
    , m_content(new QWidget)
{
    buildWidgets();
    buildLayout();
    connectWidgets();
    RetranslateUi();
}

void Ui_Admin::buildWidgets()
{
    m_content->setObjectName(QStringLiteral("AdminContent"));
    m_frontPanelGroup = new QGroupBox(m_content);
    m_firstLineLabel = new QLabel(m_frontPanelGroup);
    m_firstLine = new QLineEdit(m_frontPanelGroup);
    m_secondLineLabel = new QLabel(m_frontPanelGroup);
    m_secondLine = new QLineEdit(m_frontPanelGroup);
    m_frontPanelRead = new QPushButton(m_frontPanelGroup);
    m_frontPanelWrite = new QPushButton(m_frontPanelGroup);
    m_snGroup = new QGroupBox(m_content);
    m_serialNumber = new QLineEdit(m_snGroup);
    m_snRead = new QPushButton(m_snGroup);
    m_snWrite = new QPushButton(m_snGroup);
    m_nameGroup = new QGroupBox(m_content);
    m_deviceName = new QLineEdit(m_nameGroup);
    m_nameRead = new QPushButton(m_nameGroup);
    m_nameWrite = new QPushButton(m_nameGroup);

    m_firstLine->setMaxLength(FrontPanelLineChars);
    m_secondLine->setMaxLength(FrontPanelLineChars);
    m_serialNumber->setMaxLength(IdentityTextChars);
    m_deviceName->setMaxLength(IdentityTextChars);
    for (QPushButton *button : {m_frontPanelRead, m_frontPanelWrite, m_snRead, m_snWrite, m_nameRead, m_nameWrite})
        button->setFixedWidth(ButtonWidth);
}

void Ui_Admin::buildLayout()
{
    auto *panel = new QGridLayout(m_frontPanelGroup);
    panel->addWidget(m_firstLineLabel, 0, 0);
    panel->addWidget(m_firstLine, 0, 1);
    panel->addWidget(m_frontPanelRead, 0, 2);
    panel->addWidget(m_secondLineLabel, 1, 0);
    panel->addWidget(m_secondLine, 1, 1);
    panel->addWidget(m_frontPanelWrite, 1, 2);

    const struct
    {
        QGroupBox *group;
        QLineEdit *edit;
        QPushButton *read;
        QPushButton *write;
    } singles[] = {{m_snGroup, m_serialNumber, m_snRead, m_snWrite},
                   {m_nameGroup, m_deviceName, m_nameRead, m_nameWrite}};
    for (const auto &single : singles) {
        auto *grid = new QGridLayout(single.group);
        grid->addWidget(single.edit, 0, 0);
        grid->addWidget(single.read, 0, 1);
        grid->addWidget(single.write, 0, 2);
    }

    auto *column = new QVBoxLayout(m_content);
    column->setContentsMargins(Margin, Margin, Margin, Margin);
    column->addWidget(m_frontPanelGroup);
    column->addWidget(m_snGroup);
    column->addWidget(m_nameGroup);
    column->addStretch();
    setContent(m_content);
    resize(ContentWidth, ContentHeight + FramelessChrome::ContentTop);
}

void Ui_Admin::connectWidgets()
{
    connect(m_frontPanelRead, &QPushButton::clicked, this, &Ui_Admin::SLT_BTN_FrontPanelDispalyRead);
    connect(m_frontPanelWrite, &QPushButton::clicked, this, &Ui_Admin::SLT_BTN_FrontPanelDispalyWrite);
    connect(m_snRead, &QPushButton::clicked, this, &Ui_Admin::SLT_BTN_SNRead);
    connect(m_snWrite, &QPushButton::clicked, this, &Ui_Admin::SLT_BTN_SNWrite);
    connect(m_nameRead, &QPushButton::clicked, this, &Ui_Admin::SLT_BTN_DeviceNameRead);
    connect(m_nameWrite, &QPushButton::clicked, this, &Ui_Admin::SLT_BTN_DeviceNameWrite);
}

void Ui_Admin::RetranslateUi()
{
    setTitleText(Ui_Admin_AppName);
    m_frontPanelGroup->setTitle(SgroupBox_FrontPanelDispaly);
    m_firstLineLabel->setText(Slabel_FirstLine);
    m_secondLineLabel->setText(Slabel_SecondLine);
    m_snGroup->setTitle(SgroupBox_SN);
    m_nameGroup->setTitle(SgroupBox_DeviceName);
    for (QPushButton *button : {m_frontPanelRead, m_snRead, m_nameRead})
        button->setText(S_ReadWrite[0]);
    for (QPushButton *button : {m_frontPanelWrite, m_snWrite, m_nameWrite})
        button->setText(S_ReadWrite[1]);
}

void Ui_Admin::SLT_BTN_FrontPanelDispalyRead(bool)
{
    CMD_FrontPanelTextRead();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Admin::SLT_BTN_FrontPanelDispalyWrite(bool)
{
    // Both lines always travel together.
    CMD_FrontPanelTextWrite(FieldBytes(m_firstLine, FrontPanelLineChars),
                            FieldBytes(m_secondLine, FrontPanelLineChars));
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Admin::SLT_BTN_SNRead(bool)
{
    CMD_SerialNumberRead();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Admin::SLT_BTN_SNWrite(bool)
{
    CMD_SerialNumberWrite(FieldBytes(m_serialNumber, IdentityTextChars));
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Admin::SLT_BTN_DeviceNameRead(bool)
{
    CMD_DeviceNameRead();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Admin::SLT_BTN_DeviceNameWrite(bool)
{
    CMD_DeviceNameWrite(FieldBytes(m_deviceName, IdentityTextChars));
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Admin::SLT_Update_FrontPanelDispaly(QString line1, QString line2)
{
    m_firstLine->setText(line1);
    m_secondLine->setText(line2);
}

void Ui_Admin::SLT_Update_SN(QString text)
{
    m_serialNumber->setText(text);
}

void Ui_Admin::SLT_Update_DeviceName(QString text)
{
    m_deviceName->setText(text);
}

void Ui_Admin::SLT_Update_AdminMessage(QString text)
{
    ShowMessage(this, text);
}

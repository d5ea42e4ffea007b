#include "pages/routing/Ui_SaveLoad.h"

#include "app/LanguageTable.h"
#include "app/UserNames.h"
#include "chrome/CommandBox.h"
#include "chrome/FramelessChrome.h"
#include "chrome/MessageBox.h"
#include "chrome/MyUiLayout.h"
#include "chrome/ScreenArea.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>

namespace {
constexpr int Margin = 10;
constexpr int RowHeight = 30;
constexpr int RowGap = 10;
constexpr int Gap = 8;
constexpr int LabelWidth = 60;
constexpr int BoxWidth = 160;
constexpr int NameWidth = 160;
constexpr int PresetNames = int(sizeof ScomboBox_Layout / sizeof ScomboBox_Layout[0]);
} // namespace

Ui_SaveLoad::Ui_SaveLoad(QWidget *parent)
    : PageDialog(parent)
    , m_content(new QWidget)
    , m_saveLabel(new QLabel(m_content))
    , m_saveBox(new QComboBox(m_content))
    , m_loadLabel(new QLabel(m_content))
    , m_loadBox(new QComboBox(m_content))
    , m_nameLabel(new QLabel(m_content))
    , m_nameEdit(new QLineEdit(m_content))
{
    setTitleText(Ui_SaveLoad_AppName);
    m_saveLabel->setText(Slabel_SaveLayout);
    m_loadLabel->setText(Slabel_LoadLayout);
    m_nameLabel->setText(Slabel_LayoutName);
    for (QComboBox *box : {m_saveBox, m_loadBox}) {
        box->setView(new QListView);
        if (Device().layoutCount <= DeviceLimits::MaxLayouts) {
            for (int n = 0; n < PresetNames; ++n)
                box->addItem(ScomboBox_Layout[n]);
        }
    }

    using L = MyUiLayout;
    L::place(m_saveLabel, nullptr, L::Absolute, Margin, Margin, LabelWidth, RowHeight);
    L::place(m_saveBox, m_saveLabel, L::RightTopAligned, Gap, 0, BoxWidth, RowHeight);
    L::place(m_nameLabel, m_saveBox, L::RightTopAligned, Gap, 0, NameWidth, RowHeight);
    L::place(m_loadLabel, m_saveLabel, L::LeftAlignedBelow, 0, RowGap, LabelWidth, RowHeight);
    L::place(m_loadBox, m_loadLabel, L::RightTopAligned, Gap, 0, BoxWidth, RowHeight);
    L::place(m_nameEdit, m_loadBox, L::RightTopAligned, Gap, 0, NameWidth, RowHeight);
    const int width = m_nameEdit->geometry().right() + 1 + Margin;
    const int height = m_nameEdit->geometry().bottom() + 1 + Margin;
    m_content->resize(width, height);
    setContent(m_content);
    setFixedSize(width, height + FramelessChrome::ContentTop);
    CentreInCappedScreen(this);

    GuardCommandBox(m_saveBox, QStringLiteral("PresetSave"));
    GuardCommandBox(m_loadBox, QStringLiteral("PresetLoad"));
    connect(m_saveBox, qOverload<int>(&QComboBox::activated), this, &Ui_SaveLoad::SLT_SetSaveLayout);
    connect(m_loadBox, qOverload<int>(&QComboBox::activated), this, &Ui_SaveLoad::SLT_SetLoadLayout);
}

void Ui_SaveLoad::SLT_SetSaveLayout(int index)
{
    if (index < 0 || index >= PresetNames)
        return;
    if (!AskYesNo(this, SMSG_SaveMessage))
        return;
    // The device has layoutCount presets; a higher number is only named.
    if (quint32(index) < Device().layoutCount && CMD_LayoutSave(quint8(index))) {
        Q_EMIT SGL_PresetSaved(index);
        Q_EMIT SGL_UpdateEmit();
    }
    const QString name = m_nameEdit->text();
    if (name.isEmpty())
        return;
    ScomboBox_Layout[index] = name;
    ShareUserName(&ScomboBox_Layout[index]);
    m_saveBox->setItemText(index, name);
    m_loadBox->setItemText(index, name);
    m_nameEdit->clear();
}

void Ui_SaveLoad::SLT_SetLoadLayout(int index)
{
    if (index < 0 || index >= PresetNames)
        return;
    if (!AskYesNo(this, SMSG_LoadMessage))
        return;
    if (quint32(index) < Device().layoutCount && CMD_LayoutLoad(quint8(index))) {
        Q_EMIT SGL_PresetRecalled(index);
        Q_EMIT SGL_UpdateEmit();
    }
}

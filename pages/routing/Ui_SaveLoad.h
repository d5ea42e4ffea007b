#pragma once

#include "pages/PageDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

// Stores the device's current state in one of its presets, or recalls one.
// The presets live in the device; the dialog only names them locally.
class Ui_SaveLoad : public PageDialog
{
    Q_OBJECT

public:
    explicit Ui_SaveLoad(QWidget *parent = nullptr);

    QComboBox *saveBox() const { return m_saveBox; }
    QComboBox *loadBox() const { return m_loadBox; }
    QLineEdit *nameEdit() const { return m_nameEdit; }

public Q_SLOTS:
    void SLT_SetSaveLayout(int index);
    void SLT_SetLoadLayout(int index);

Q_SIGNALS:
    // A preset save or recall was queued (the routing history and the
    // salvo previews follow presets).
    void SGL_PresetSaved(int preset);
    void SGL_PresetRecalled(int preset);

private:
    QWidget *m_content;
    QLabel *m_saveLabel;
    QComboBox *m_saveBox;
    QLabel *m_loadLabel;
    QComboBox *m_loadBox;
    QLabel *m_nameLabel;
    QLineEdit *m_nameEdit;
};

#pragma once

#include <QWidget>

class MyCustomScene;
class MyCustomView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The multiview page: the device's multiview outputs, the canvas of the
// chosen one, and the numbers of one of its windows.
class Ui_Multiview : public QWidget
{
    Q_OBJECT

public:
    // The eight number fields, in the order of the page.
    enum class Field { X, Y, Width, Height, CropX, CropY, CropWidth, CropHeight, Count };
    static constexpr int FieldCount = int(Field::Count);

    explicit Ui_Multiview(QWidget *parent = nullptr);

    // Sets every text and list entry; unless told to skip it, refills the
    // multiview list too.
    void RetranslateUi(bool skipRefill = false);
    // A device was newly identified: the first list of its multiviews reads
    // the first one again.
    void NewConnection();

    MyCustomView *view() const { return m_view; }
    MyCustomScene *scene() const;
    QComboBox *multiviewBox() const { return m_multiview; }
    QComboBox *windowBox() const { return m_window; }
    QComboBox *statusBox() const { return m_status; }
    QComboBox *layerBox() const { return m_layer; }
    QLineEdit *field(Field f) const { return m_fields[int(f)].edit; }
    QLineEdit *sourceEdit() const { return m_source; }
    QPushButton *writeButton() const { return m_write; }

public Q_SLOTS:
    void SLT_MV_Select(int index);
    void SLT_CurrentWindow(int index);
    void SLT_SyncMV_WinInfo(unsigned char window);
    // Input names or routing changed: the window shown is shown again.
    void SLT_Refresh_DispalyWindowList();
    void SLT_SetMultiview();
    // The set of multiview outputs changed: the list is refilled.
    void SLT_UpdateSelect_MV();
    // The device reported a multiview: its size, and its windows when it is
    // the one shown.
    void SLT_RefreshMultiview(unsigned int record);
    // The device reported one window's geometry, crop, layer or state.
    void SLT_RefreshMultiviewWindow(unsigned int record, unsigned int window, unsigned int code);

Q_SIGNALS:
    void SGL_UpdateEmit();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct FieldRow
    {
        QLabel *label;
        QLineEdit *edit;
    };

    void buildWidgets();
    void buildLayout();
    void connectWidgets();
    void refillList();
    // The canvas takes record i: its size and its windows.
    void showRecord(quint32 i);
    void readMultiview(quint32 i);

    QLabel *m_selectLabel;
    QComboBox *m_multiview;
    QLabel *m_displayLabel;
    MyCustomView *m_view;
    QGroupBox *m_infoGroup;
    QLabel *m_windowLabel;
    QComboBox *m_window;
    QLabel *m_statusLabel;
    QComboBox *m_status;
    QLabel *m_layerLabel;
    QComboBox *m_layer;
    FieldRow m_fields[FieldCount];
    QLabel *m_sourceLabel;
    QLineEdit *m_source;
    QPushButton *m_write;

    bool m_firstRead = false;
};

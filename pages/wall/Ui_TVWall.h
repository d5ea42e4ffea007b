#pragma once

#include <QWidget>

class MyTableWidget;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The TV wall page: the wall's size, its bezel compensation and the
// splicing grid of the device's video wall.
class Ui_TVWall : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_TVWall(QWidget *parent = nullptr);

    // Sets every text; clears the bezel fields; refill: also refill the
    // size lists.
    void RetranslateUi(bool refill);
    // Fills the size lists for the device's output count.
    void FillComboBoxes();
    // Reads the wall from the device.
    void ReadWall();
    // Shows the size the device reported.
    void SetWallSize(unsigned int rows, unsigned int cols);
    // Every panel of the multi-panel job answered its resolution read:
    // sends the panels' resolutions.
    void FinishMultiPanel(unsigned int count);

    enum class BezelSide { Left, Right, Up, Bottom };
    static constexpr int BezelSides = 4;

    MyTableWidget *grid() const { return m_grid; }
    QComboBox *rowsBox() const { return m_rows; }
    QComboBox *columnsBox() const { return m_columns; }
    QComboBox *availableBox() const { return m_available; }
    QPushButton *writeButton() const { return m_write; }
    QPushButton *readButton() const { return m_read; }
    QLineEdit *bezelEdit(BezelSide side) const { return m_bezel[int(side)].edit; }
    QPushButton *bezelWriteButton() const { return m_bezelWrite; }

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_UpdateContent_TvWall();
    void SGL_SetTvWall_Bezel(unsigned int left, unsigned int right, unsigned int up, unsigned int bottom);

public Q_SLOTS:
    void SLT_ModifyAvailableShow(int);
    void SLT_SetTvWallInfo(bool);
    void SLT_ReadTvWallInfo(bool);
    void SLT_SetBezelInfo(bool);
    void SLT_EnableBezel(bool enable);
    // An output went into multiview mode: it leaves its splice, since a
    // multiview output is never part of one.
    void SLT_JudgeMutex_MVAndSplicing(unsigned int output);
    // The device's TV wall reply is in the model.
    void SLT_WallReadFromDevice(unsigned int rows, unsigned int cols);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct BezelRow
    {
        QLabel *label;
        QLineEdit *edit;
    };

    void buildWidgets();
    void buildLayout();
    void connectWidgets();
    void setBezelLabels();

    QGroupBox *m_configGroup;
    QLabel *m_rowsLabel;
    QComboBox *m_rows;
    QLabel *m_columnsLabel;
    QComboBox *m_columns;
    QLabel *m_availableLabel;
    QComboBox *m_available;
    QPushButton *m_write;
    QPushButton *m_read;
    QGroupBox *m_bezelGroup;
    BezelRow m_bezel[BezelSides];
    QPushButton *m_bezelWrite;
    QLabel *m_displayLabel;
    MyTableWidget *m_grid;
};

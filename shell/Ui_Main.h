#pragma once

#include <QWidget>

// The program's main window: the tab widget that holds every page.
class Ui_Main : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Main(QWidget *parent = nullptr);
    ~Ui_Main() override;

    void ApplyMainTexts(bool init);

public Q_SLOTS:
    void SLT_SETUP_UI_MAIN();
};

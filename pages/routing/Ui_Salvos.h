#pragma once

#include "pages/PageDialog.h"
#include "pages/routing/RoutingJob.h"

#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class RoutingDesk;

// Salvos: named routing snapshots kept as files by the program, and the
// device presets whose content the program knows. "Save routing as salvo"
// keeps the chosen outputs; Recall fills the preview with the outputs that
// would change (output, from → to, with their names) and Take sends only
// those. Rename takes the name field; delete asks first; export and import
// go through files, and a broken file changes nothing.
class Ui_Salvos : public PageDialog
{
    Q_OBJECT

public:
    explicit Ui_Salvos(QWidget *parent = nullptr);
    void setDesk(RoutingDesk *desk);

    QListWidget *list() const { return m_list; }
    QListWidget *outputList() const { return m_outputs; }
    QLineEdit *nameEdit() const { return m_name; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *recallButton() const { return m_recall; }
    QPushButton *renameButton() const { return m_rename; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *exportButton() const { return m_export; }
    QPushButton *importButton() const { return m_import; }
    QTableWidget *preview() const { return m_preview; }
    QLabel *previewLine() const { return m_previewLine; }
    QPushButton *takeButton() const { return m_take; }
    QPushButton *cancelButton() const { return m_cancel; }
    // The routes Take would send (output → input, from 0).
    const RouteMap &previewRoutes() const { return m_previewRoutes; }

    // Selects the entry of that salvo name (or preset, as listed).
    bool select(const QString &text);
    void refreshList();

public Q_SLOTS:
    void SLT_Save();
    void SLT_Recall();
    void SLT_Rename();
    void SLT_Delete();
    void SLT_Export();
    void SLT_Import();
    void SLT_Take();
    void SLT_ClearPreview();

private:
    void buildLayout();
    void fillOutputs();
    QString selectedSalvo() const;
    int selectedPreset() const;
    void showPreview(const RouteMap &wanted, const QString &salvoName, int preset);
    void fail(const QString &text);

    QWidget *m_content;
    QListWidget *m_list;
    QLineEdit *m_name;
    QListWidget *m_outputs;
    QPushButton *m_save;
    QPushButton *m_recall;
    QPushButton *m_rename;
    QPushButton *m_delete;
    QPushButton *m_export;
    QPushButton *m_import;
    QTableWidget *m_preview;
    QLabel *m_previewLine;
    QPushButton *m_take;
    QPushButton *m_cancel;
    RoutingDesk *m_desk = nullptr;
    RouteMap m_previewRoutes;
    QString m_salvoName;
    int m_previewPreset = -1;
};

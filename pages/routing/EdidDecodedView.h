#pragma once

#include "protocol/EdidInfo.h"

#include <QByteArray>
#include <QWidget>

class QLabel;
class QTreeWidget;

// What an EDID says, beside its hexadecimal: where it came from ("Read from
// output 3", "File: tv.bin"), how many errors and warnings the checks found,
// then the findings on top and the decoded fields below, per block.
class EdidDecodedView : public QWidget
{
    Q_OBJECT

public:
    explicit EdidDecodedView(QWidget *parent = nullptr);

    // Decodes the image (the protocol layer's decoder) and shows it.
    void showEdid(const QByteArray &image, const QString &source);
    void clear();

    const EdidInfo &info() const { return m_info; }
    QString sourceText() const;
    QTreeWidget *tree() const { return m_tree; }

private:
    void retranslate();

    EdidInfo m_info;
    bool m_shown = false;
    QLabel *m_source;
    QLabel *m_counts;
    QTreeWidget *m_tree;
};

#pragma once

#include <QString>
#include <QtGlobal>

// Routing typed on the matrix page: an output number, then an input number,
// then Enter. An output number ends by itself when no further digit could
// still name an output (with 16 outputs, "3" ends at once, "1" waits for a
// second digit); Enter, '.', '/' or '-' end it as well. Numbers are as the
// page shows them, from 1. Widget-free.
class MatrixKeys
{
public:
    enum class Step { Ignored, Typed, Route };

    void setCounts(quint32 inputs, quint32 outputs);

    // A digit, a separator or Enter; Route when Enter finished a route
    // (output() and input() then hold it, and the typing starts afresh).
    Step digit(int value);
    Step separator();
    Step enter();
    // Escape: false when nothing was typed.
    bool clear();

    bool typing() const { return m_output != 0; }
    quint32 output() const { return m_routedOutput; }
    quint32 input() const { return m_routedInput; }
    // What the bar shows while typing; empty otherwise.
    QString text() const;

private:
    static bool mayGrow(quint32 typed, quint32 count);

    quint32 m_inputs = 0;
    quint32 m_outputs = 0;
    quint32 m_output = 0;
    quint32 m_input = 0;
    bool m_onInput = false;
    quint32 m_routedOutput = 0;
    quint32 m_routedInput = 0;
};

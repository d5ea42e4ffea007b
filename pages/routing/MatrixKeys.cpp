#include "pages/routing/MatrixKeys.h"

#include "app/LanguageTable.h"

namespace {
constexpr quint32 Decimal = 10;
}

void MatrixKeys::setCounts(quint32 inputs, quint32 outputs)
{
    m_inputs = inputs;
    m_outputs = outputs;
    clear();
}

bool MatrixKeys::mayGrow(quint32 typed, quint32 count)
{
    return typed != 0 && typed * Decimal <= count;
}

MatrixKeys::Step MatrixKeys::digit(int value)
{
    if (value < 0 || value > int(Decimal - 1))
        return Step::Ignored;
    quint32 &number = m_onInput ? m_input : m_output;
    const quint32 count = m_onInput ? m_inputs : m_outputs;
    const quint32 grown = number * Decimal + quint32(value);
    // A number that could name no channel is not typed on.
    if (grown == 0 || grown > count)
        return Step::Ignored;
    number = grown;
    if (!m_onInput && !mayGrow(number, m_outputs))
        m_onInput = true;
    return Step::Typed;
}

MatrixKeys::Step MatrixKeys::separator()
{
    if (m_onInput || m_output == 0)
        return Step::Ignored;
    m_onInput = true;
    return Step::Typed;
}

MatrixKeys::Step MatrixKeys::enter()
{
    if (!m_onInput || m_input == 0)
        return separator();
    m_routedOutput = m_output;
    m_routedInput = m_input;
    clear();
    return Step::Route;
}

bool MatrixKeys::clear()
{
    const bool was = typing();
    m_output = 0;
    m_input = 0;
    m_onInput = false;
    return was;
}

QString MatrixKeys::text() const
{
    if (!typing())
        return QString();
    if (!m_onInput)
        return SMSG_KeyTyping.arg(m_output);
    if (m_input == 0)
        return SMSG_KeyOutput.arg(m_output);
    return SMSG_KeyRoute.arg(m_output).arg(m_input);
}

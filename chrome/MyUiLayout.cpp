#include "chrome/MyUiLayout.h"

#include <optional>

namespace {
enum class Rule { Before = 0x1, Aligned = 0x2, After = 0x4 };

constexpr int DigitBits = 4;
constexpr int DigitMask = 0xF;

std::optional<Rule> RuleOf(int digit)
{
    switch (digit) {
    case static_cast<int>(Rule::Before):
        return Rule::Before;
    case static_cast<int>(Rule::Aligned):
        return Rule::Aligned;
    case static_cast<int>(Rule::After):
        return Rule::After;
    default:
        return std::nullopt;
    }
}

// One axis: the reference's start and length, the gap and the widget's length.
int Coordinate(Rule rule, int referenceStart, int referenceLength, int gap, int length)
{
    switch (rule) {
    case Rule::Before:
        return referenceStart - gap - length;
    case Rule::Aligned:
        return referenceStart;
    case Rule::After:
        return referenceStart + referenceLength + gap;
    }
    return referenceStart;
}
} // namespace

MyUiLayout::MyUiLayout(QWidget *parent)
    : QWidget(parent)
{ }

void MyUiLayout::place(QWidget *widget, const QWidget *reference, int relation, int dx, int dy, int width, int height)
{
    if (!widget)
        return;
    if (relation == Absolute) {
        widget->move(dx, dy);
    } else if (reference) {
        const std::optional<Rule> horizontal = RuleOf((relation >> DigitBits) & DigitMask);
        const std::optional<Rule> vertical = RuleOf(relation & DigitMask);
        const bool singleByte = (relation & ~((DigitMask << DigitBits) | DigitMask)) == 0;
        if (singleByte && horizontal && vertical) {
            const QRect ref = reference->geometry();
            widget->move(Coordinate(*horizontal, ref.x(), ref.width(), dx, width),
                         Coordinate(*vertical, ref.y(), ref.height(), dy, height));
        }
    }
    widget->resize(width, height);
}

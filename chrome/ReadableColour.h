#pragma once

#include <QColor>

// Text colours that stay readable on their background, by the WCAG rule:
// a contrast ratio of at least 4.5:1 between the relative luminances.

constexpr double ReadableContrast = 4.5;

// (lighter + 0.05) / (darker + 0.05), from 1 (same) to 21 (black on white).
double ContrastRatio(const QColor &a, const QColor &b);

// preferred when it is readable on background; otherwise black or white,
// whichever stands out more (one of them always reaches 4.5:1).
QColor ReadableTextOn(const QColor &background, const QColor &preferred);

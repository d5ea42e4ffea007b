#pragma once

#include "protocol/RequestTracker.h"

#include <QString>

class QWidget;

// The mark of a row whose values are not live: a widget of the row (its
// number, or a group's frame) carries the "freshness" property the style
// sheet colours ("missed": its read got no answer; "stale": kept from an
// earlier connection), and it and the row's Read button tell why in their
// tool tips. A live or unread row carries no mark.
void MarkFreshness(QWidget *marked, QWidget *readButton, RequestTracker::RowState state);

// What a value field shows in place of a value its read never got.
QString MissingValueText();

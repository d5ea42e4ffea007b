#pragma once

class QWidget;

// Chains the Tab order of every control under root in reading order: top to
// bottom, and left to right within a line (controls whose vertical centres
// fall within one another's height share a line). Creation order, Qt's
// default, jumps between a page's groups; this order follows what the
// operator sees. Call it once root is laid out (shown); the parts of a
// combined control (the editor of an editable box) stay with it.
void OrderTabsByPosition(QWidget *root);

#pragma once

#include <QString>

class MyCustomScene;
class QMenu;
struct MultiviewRecord;

// The canvas's context menu: the multiview's audio source, and per window
// its on/off entry, its input and its layer. Each entry carries an object
// name from which the scene's slot reads what was chosen.
namespace MultiviewMenu {

// Fills menu for record (windows: the windows on the canvas), with every
// entry connected to its slot of the scene.
void Build(QMenu &menu, const MultiviewRecord &record, int windows, MyCustomScene *scene);

// The object names, and the numbers read back from them by position: the
// window number is the one character after the window word, a choice's
// number follows the window word, that character, "-", the kind word and
// "-".
QString AudioName(int source);
QString StatusName(int window);           // window 1-based
QString InputName(int window, int input); // both 1-based
QString LayerName(int window, int layer); // both 1-based
int AudioOf(const QString &name);
int WindowOf(const QString &name);
int InputOf(const QString &name);
int LayerOf(const QString &name);

} // namespace MultiviewMenu

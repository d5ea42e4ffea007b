#pragma once

#include <QGraphicsView>

class MyCustomScene;

// The widget of the multiview canvas: a fixed 960 x 540 view that shows the
// whole multiview output, scaled to fit, without scroll bars.
class MyCustomView : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr int ViewWidth = 960;
    static constexpr int ViewHeight = 540;

    explicit MyCustomView(QWidget *parent = nullptr);

    MyCustomScene *customScene() const { return m_scene; }
    QSize sizeHint() const override;
    // Shows the whole canvas at this scale (at most 1), keeping its
    // proportions; the scene keeps its own units.
    void fitScale(qreal scale);

private:
    MyCustomScene *m_scene;
};

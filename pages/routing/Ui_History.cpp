#include "pages/routing/Ui_History.h"

#include "app/LanguageTable.h"
#include "chrome/FramelessChrome.h"
#include "chrome/ScreenArea.h"
#include "pages/routing/RoutingDesk.h"
#include "pages/routing/RoutingHistory.h"

#include <QGridLayout>
#include <QPushButton>
#include <QUndoStack>
#include <QUndoView>

namespace {
constexpr int Width = 420;
constexpr int Height = 360;
constexpr int Margin = 10;
} // namespace

Ui_History::Ui_History(QWidget *parent)
    : PageDialog(parent)
    , m_content(new QWidget)
    , m_view(new QUndoView(m_content))
    , m_undo(new QPushButton(m_content))
    , m_redo(new QPushButton(m_content))
{
    setTitleText(Ui_History_AppName);
    m_view->setEmptyLabel(SHistory_Start);
    // Clicking a step would move the index without sending anything.
    m_view->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_view->setFocusPolicy(Qt::NoFocus);
    m_undo->setText(SpushButton_Undo);
    m_redo->setText(SpushButton_Redo);
    auto *layout = new QGridLayout(m_content);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->addWidget(m_view, 0, 0, 1, 2);
    layout->addWidget(m_undo, 1, 0);
    layout->addWidget(m_redo, 1, 1);
    setContent(m_content);
    resize(Width, Height + FramelessChrome::ContentTop);
    CentreInCappedScreen(this);
}

void Ui_History::setDesk(RoutingDesk *desk)
{
    m_desk = desk;
    QUndoStack *stack = desk->history()->stack();
    m_view->setStack(stack);
    connect(m_undo, &QPushButton::clicked, desk, &RoutingDesk::undo);
    connect(m_redo, &QPushButton::clicked, desk, &RoutingDesk::redo);
    connect(stack, &QUndoStack::indexChanged, this, &Ui_History::updateButtons);
    connect(desk, &RoutingDesk::SGL_Changed, this, &Ui_History::updateButtons);
    updateButtons();
}

void Ui_History::updateButtons()
{
    const QUndoStack *stack = m_desk->history()->stack();
    m_undo->setEnabled(stack->canUndo() && !m_desk->stepRunning());
    m_redo->setEnabled(stack->canRedo() && !m_desk->stepRunning());
}

#include "chrome/CommandBox.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

constexpr int NotBrowsing = -1;
constexpr char GuardedProperty[] = "kxrCommandBox";

// Watches one box; owned by it.
class CommandBoxFilter : public QObject
{
public:
    explicit CommandBoxFilter(QComboBox *box)
        : QObject(box)
        , m_box(box)
    {
        // A pick from the list, or the page showing the device's answer,
        // ends a browse: the shown entry is the sent one again.
        connect(box, qOverload<int>(&QComboBox::activated), this, [this] { m_confirmed = NotBrowsing; });
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
            if (!m_moving)
                m_confirmed = NotBrowsing;
        });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_box)
            return false;
        switch (event->type()) {
        case QEvent::Wheel:
            return wheel(static_cast<QWheelEvent *>(event));
        case QEvent::KeyPress:
            return key(static_cast<QKeyEvent *>(event));
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
                restore();
            return false;
        default:
            return false;
        }
    }

private:
    bool wheel(QWheelEvent *event)
    {
        if (!m_box->hasFocus()) {
            event->ignore(); // the page under the box gets it
            return true;
        }
        const int delta = event->angleDelta().y();
        if (delta != 0)
            browse(delta > 0 ? -1 : 1);
        return true;
    }

    bool key(QKeyEvent *event)
    {
        const bool alt = event->modifiers() & Qt::AltModifier;
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (alt)
                return false; // opens the list
            browse(event->key() == Qt::Key_Up ? -1 : 1);
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_Home:
            browseTo(-1, 1);
            return true;
        case Qt::Key_PageDown:
        case Qt::Key_End:
            browseTo(m_box->count(), -1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_confirmed == NotBrowsing)
                return false;
            commit();
            return true;
        case Qt::Key_Escape:
            if (m_confirmed == NotBrowsing)
                return false; // closes the dialog
            restore();
            return true;
        default:
            break;
        }
        const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        const QString text = event->text();
        return plain && !text.isEmpty() && text.at(0).isPrint() && text != QLatin1String(" ");
    }

    bool selectable(int index) const
    {
        const QModelIndex item = m_box->model()->index(index, m_box->modelColumn(), m_box->rootModelIndex());
        return item.isValid() && (m_box->model()->flags(item) & Qt::ItemIsEnabled);
    }

    void browse(int step) { browseTo(m_box->currentIndex(), step); }

    // Shows the first selectable entry after from, going by step.
    void browseTo(int from, int step)
    {
        for (int i = from + step; i >= 0 && i < m_box->count(); i += step) {
            if (!selectable(i))
                continue;
            if (m_confirmed == NotBrowsing)
                m_confirmed = m_box->currentIndex();
            show(i);
            return;
        }
    }

    void show(int index)
    {
        m_moving = true;
        m_box->setCurrentIndex(index);
        m_moving = false;
    }

    void commit()
    {
        const int index = m_box->currentIndex();
        m_confirmed = NotBrowsing;
        Q_EMIT m_box->activated(index);
        Q_EMIT m_box->textActivated(m_box->itemText(index));
    }

    void restore()
    {
        if (m_confirmed == NotBrowsing)
            return;
        const int confirmed = m_confirmed;
        m_confirmed = NotBrowsing;
        show(confirmed);
    }

    QComboBox *m_box;
    int m_confirmed = NotBrowsing;
    bool m_moving = false;
};

} // namespace

void GuardCommandBox(QComboBox *box, const QString &objectName)
{
    if (box && !objectName.isEmpty())
        box->setObjectName(objectName);
    if (!box || box->property(GuardedProperty).toBool())
        return;
    box->setProperty(GuardedProperty, true);
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new CommandBoxFilter(box));
}

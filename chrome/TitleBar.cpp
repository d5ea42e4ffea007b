#include "chrome/TitleBar.h"

#include "app/AppPaths.h"
#include "chrome/ImageFiles.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVector>

#include <algorithm>

namespace {
constexpr int LogoSide = 28;  // the logo picture inside its 48-pixel cell
constexpr int GlyphSide = 16; // button glyphs, drawn at twice this size
constexpr int TextIndent = 4;
} // namespace

TitleBar::TitleBar(Buttons buttons, QWidget *parent)
    : QWidget(parent)
    , m_logo(new QLabel(this))
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("TitleBar"));
    // Lets the style sheet paint the bar's background on a plain QWidget.
    setAttribute(Qt::WA_StyledBackground);

    m_logo->setObjectName(QStringLiteral("TitleBarIcon"));
    m_logo->setAlignment(Qt::AlignCenter);
    m_text->setObjectName(QStringLiteral("TitleBarText"));
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_text->setIndent(TextIndent);

    if (buttons == Buttons::MinMaxClose) {
        m_minimise = makeButton("TitleBarMin", Paths::TitleMinIcon);
        m_maximise = makeButton("TitleBarMax", Paths::TitleMaxIcon);
    }
    m_close = makeButton("TitleBarClose", Paths::TitleCloseIcon);

    setLogo(AppPath(QLatin1String(Paths::TitleAppIcon)));
    arrange();
}

void TitleBar::setLogo(const QString &path)
{
    const QPixmap picture = RewrittenPicture(path);
    if (picture.isNull())
        return;
    m_logo->setPixmap(picture.scaled(LogoSide, LogoSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TitleBar::setTitleText(const QString &text)
{
    m_text->setText(text);
}

void TitleBar::showMaximisedIcon(bool maximised)
{
    if (m_maximise)
        setButtonIcon(m_maximise, maximised ? Paths::TitleNormalIcon : Paths::TitleMaxIcon);
}

void TitleBar::arrange()
{
    QVector<QPushButton *> shown;
    for (QPushButton *button : {m_minimise, m_maximise, m_close}) {
        if (button)
            shown.append(button);
    }
    int x = width() - shown.size() * ButtonWidth;

    m_logo->setGeometry(0, 0, LogoWidth, Height);
    m_text->setGeometry(LogoWidth, 0, std::max(0, x - LogoWidth), Height);
    for (QPushButton *button : shown) {
        button->setGeometry(x, 0, ButtonWidth, Height);
        x += ButtonWidth;
    }
}

QPushButton *TitleBar::makeButton(const char *objectName, const char *iconPath)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QLatin1String(objectName));
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(GlyphSide, GlyphSide));
    setButtonIcon(button, iconPath);
    return button;
}

void TitleBar::setButtonIcon(QPushButton *button, const char *iconPath)
{
    const QString path = AppPath(QLatin1String(iconPath));
    const QPixmap picture = RewrittenPicture(path);
    if (!picture.isNull())
        button->setIcon(QIcon(picture));
}

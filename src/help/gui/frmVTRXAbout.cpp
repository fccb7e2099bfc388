#include "help/gui/frmVTRXAbout.h"

#include "help/About.h"
#include "help/ProgramIcon.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpenRefusal.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int kLogoSize = 96;

QLabel* linkLabel(QWidget* parent, const char* name, const QString& address, const QString& shown)
{
    auto* label =
        new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), shown.toHtmlEscaped()), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

} // namespace

frmVTRXAbout::frmVTRXAbout(std::function<bool(const QString&)> shellOpen, QWidget* parent)
    : QDialog(parent), m_shellOpen(std::move(shellOpen))
{
    setObjectName(QStringLiteral("frmVTRXAbout"));
    setWindowTitle(QStringLiteral("About ") + help::programName());

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(QPixmap::fromImage(help::programIcon(kLogoSize)));
    auto* lblName = new QLabel(QStringLiteral("<b>%1</b>").arg(help::programName()), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont big = lblName->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    lblName->setFont(big);
    auto* lblVersion = new QLabel(QStringLiteral("Version ") + help::programVersion(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblInfo =
        new QLabel(QStringLiteral("A front-end for your Commodore 64 game collection.\n"
                                  "Free software under the GNU General Public License, version 3 or later."),
                   this);
    const QString email = help::contactAddress();
    auto* lblEmail = linkLabel(this, "lblEmail", email, email.mid(email.indexOf(u':') + 1));
    auto* lblWeb = linkLabel(this, "lblWeb", help::homePage(), help::homePage());
    for (QLabel* link : {lblEmail, lblWeb})
        connect(link, &QLabel::linkActivated, this, &frmVTRXAbout::lblLink_Click);
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(imgLogo, 0, 0, 5, 1, Qt::AlignTop);
    layout->addWidget(lblName, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblInfo, 2, 1);
    layout->addWidget(lblEmail, 3, 1);
    layout->addWidget(lblWeb, 4, 1);
    layout->addWidget(cmdOK, 5, 1, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_animation.setInterval(150);
    connect(&m_animation, &QTimer::timeout, this, &frmVTRXAbout::imgLogo_Timer);
}

void frmVTRXAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_animation.start();
}

void frmVTRXAbout::hideEvent(QHideEvent* event)
{
    m_animation.stop();
    QDialog::hideEvent(event);
}

void frmVTRXAbout::lblLink_Click(const QString& address)
{
    if (!m_shellOpen || !m_shellOpen(address))
        platform::MessageBox::exclamation(platform::shellOpenRefusedMessage(address));
}

void frmVTRXAbout::imgLogo_Timer()
{
    imgLogo->setPixmap(QPixmap::fromImage(help::programIcon(kLogoSize, ++m_phase)));
}
